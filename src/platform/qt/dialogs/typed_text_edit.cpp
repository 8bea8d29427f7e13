#include "platform/qt/dialogs/typed_text_edit.h"

#include "platform/qt/common/qt_text.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace qx::ui {

TypedTextEdit::TypedTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

void TypedTextEdit::keyPressEvent(QKeyEvent* event)
{
    const QString fitted = FitToCp1252(event->text());
    if (isReadOnly() || fitted == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    textCursor().insertText(fitted);
    ensureCursorVisible();
    event->accept();
}

void TypedTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString fitted = FitToCp1252(event->commitString());
    if (isReadOnly() || fitted == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fittedEvent(event->preeditString(), event->attributes());
    fittedEvent.setCommitString(fitted, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fittedEvent);
    event->accept();
}

void TypedTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source == nullptr || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    textCursor().insertText(FitToCp1252(source->text()));
    ensureCursorVisible();
}

} // namespace qx::ui
