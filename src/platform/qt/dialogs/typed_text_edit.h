#pragma once

// The multi-line edit of the dialogs: what is typed, pasted, dropped or
// composed by an input method is put in as it will be sent, each character
// Windows-1252 cannot hold replaced by its best fit ("→" shows as "->"). A
// text the program puts in is Windows-1252 already and stays as it is.

#include <QPlainTextEdit>

namespace qx::ui {

class TypedTextEdit final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TypedTextEdit(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace qx::ui
