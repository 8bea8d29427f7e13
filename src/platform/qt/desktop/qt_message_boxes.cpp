#include "platform/qt/desktop/qt_message_boxes.h"

#include "platform/qt/dialogs/message_box.h"
#include "platform/qt/common/qt_text.h"

namespace qx::platform {

void QtMessageBoxes::Show(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon,
                          MessageModality)
{
    // A box without owner blocks every window of the program, which is what
    // both modalities come to for a program with one thread.
    ui::ShowMessageBox(nullptr, ui::ToQString(text), caption ? ui::ToQString(*caption) : ui::DefaultErrorCaption(),
                       icon == MessageIcon::Information ? ui::BoxIcon::Information : ui::BoxIcon::Exclamation);
}

} // namespace qx::platform
