#include "report/dialogs/qt/help_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qx::report {

QString FindHelpFile()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programDir.filePath(QStringLiteral("qxbeta-aide.html")),
          programDir.filePath(QStringLiteral("../share/qxbeta/aide.html"))}) {
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    }
    return QString();
}

bool OpenHelpFile()
{
    const QString path = FindHelpFile();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace qx::report
