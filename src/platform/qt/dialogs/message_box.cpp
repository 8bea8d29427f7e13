#include "platform/qt/dialogs/message_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace qx::ui {

namespace {

QMessageBox::Icon ToQtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Stop: return QMessageBox::Critical;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, BoxIcon icon)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQtIcon(icon), caption, lines, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

QString ApplicationCaption()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString DefaultErrorCaption()
{
    return QStringLiteral("Erreur");
}

} // namespace qx::ui
