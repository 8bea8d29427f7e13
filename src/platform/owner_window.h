#pragma once

// The window that owns a command's own platform dialogs (save dialog,
// printer dialog), as a handle the core passes on without looking inside.
// The Qt layer turns it into its widget (platform/qt/common/owner_widget.h).
// A null handle: the dialog has no owner.

namespace qx::platform {

class OwnerWindow;

} // namespace qx::platform
