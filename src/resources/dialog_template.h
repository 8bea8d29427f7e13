#pragma once

// Dialog resources as data: every control's id, kind, text and rectangle in
// dialog units, as the platform's resource compiler would hold them. The Qt
// dialog layer renders them; tests read them without a display.

#include <cstdint>
#include <span>
#include <string_view>

namespace qx::res {

// Id of a control that the code never addresses (labels, icons, frames).
inline constexpr int kNoId = -1;

enum class ControlKind {
    Icon,          // text holds the icon resource number in decimal
    StaticText,    // left-aligned unless kStyleCenter; wraps at word boundaries
    GroupBox,
    PushButton,
    DefPushButton,
    AutoCheckBox,
    AutoRadioButton,
    Edit,
    ListBox,
    ProgressBar,
};

enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kStyleGroup = 1u << 0,      // starts a group (radio buttons, tab order)
    kStyleTabStop = 1u << 1,
    kStyleDisabled = 1u << 2,
    kStyleReadOnly = 1u << 3,
    kStyleMultiline = 1u << 4,
    kStyleWantReturn = 1u << 5, // Enter inserts a line break
    kStyleVScroll = 1u << 6,
    kStyleHScroll = 1u << 7,
    kStyleAutoHScroll = 1u << 8,
    kStyleCenter = 1u << 9,
    kStyleRight = 1u << 10,
    kStyleNumber = 1u << 11,
};

enum DialogStyle : std::uint32_t {
    kDlgNone = 0,
    kDlgPopup = 1u << 0,
    kDlgCaption = 1u << 1,
    kDlgSysMenu = 1u << 2,
    kDlgModalFrame = 1u << 3,
    kDlgSystemModal = 1u << 4,
    kDlgCentered = 1u << 5,
    kDlgMinimizeBox = 1u << 6,
    kDlgAppWindow = 1u << 7,    // own taskbar button
    kDlgVisible = 1u << 8,
};

// Rectangles in dialog units: left, top, width, height.
struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// Texts are UTF-8 here (the sources are UTF-8); the dialog layer hands them to
// Qt as they are, and code that needs the program's Windows-1252 form converts
// them with text/cp1252.h.
struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::StaticText;
    std::string_view text;
    DialogRect rect;
    std::uint32_t style = kStyleNone;
};

struct DialogTemplate {
    int id = 0;
    std::string_view caption;
    std::string_view fontName;
    int pointSize = 8;
    DialogRect rect; // x, y are 0 for centred dialogs
    std::uint32_t style = kDlgNone;
    std::span<const ControlTemplate> controls; // in tab order
};

// The template of dialog resource `id`, or nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int id);

// The control `controlId` of `dialog`, or nullptr.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId);

} // namespace qx::res
