#pragma once

// The platform's message box: a text, a caption, an icon and one OK button.
// Returns when the box is closed.

#include <QString>

class QWidget;

namespace qx::ui {

enum class BoxIcon {
    None,
    Exclamation,
    Information,
    Stop,
};

// `text` may separate its lines with "\r\n". With no owner the box is a
// window of its own, modal for the whole application.
void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, BoxIcon icon);

// The caption of the program's own message boxes: the program file's name.
QString ApplicationCaption();

// The platform's title for a box that names no caption.
QString DefaultErrorCaption();

} // namespace qx::ui
