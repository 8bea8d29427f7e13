#pragma once

// The E-mail command's save dialog: save mode, default suffix "QXR", the
// filter list of string-table text 139, the program's current directory as
// the starting folder, the platform's default title, and a confirmation
// before an existing file is replaced.

#include <optional>
#include <string>

class QWidget;

namespace qx::report {

// The full path chosen (the system's bytes), or nothing when the dialog did
// not end with OK. Like the platform dialog the program was made for, it
// leaves the chosen folder as the current directory. `defaultName` is
// Windows-1252.
std::optional<std::string> RunSaveArchiveDialog(QWidget* parent, const std::string& defaultName);

} // namespace qx::report
