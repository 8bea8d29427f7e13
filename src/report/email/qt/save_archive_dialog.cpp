#include "report/email/qt/save_archive_dialog.h"

#include "platform/qt/common/qt_text.h"
#include "report/email/file_filter.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace qx::report {
namespace {

constexpr const char* kDefaultSuffix = "QXR";

// Qt's own French texts for the dialog (title, buttons, the replace
// question) while it runs, as the French platform's dialog would show them;
// without the translation files the dialog stays in English.
class FrenchQtTexts {
public:
    FrenchQtTexts()
    {
        m_installed = m_translator.load(QLocale(QLocale::French), "qtbase", "_",
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                      QCoreApplication::installTranslator(&m_translator);
    }
    ~FrenchQtTexts()
    {
        if (m_installed) QCoreApplication::removeTranslator(&m_translator);
    }
    FrenchQtTexts(const FrenchQtTexts&) = delete;
    FrenchQtTexts& operator=(const FrenchQtTexts&) = delete;

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace

std::optional<std::string> RunSaveArchiveDialog(QWidget* parent, const std::string& defaultName)
{
    const FrenchQtTexts french;
    QFileDialog dialog(parent);
    dialog.setObjectName("saveArchiveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog on every desktop: the same behaviour (suffix, replace
    // confirmation) wherever the program runs, and one that tests can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QDir::current());
    dialog.setDefaultSuffix(kDefaultSuffix);
    QStringList filters;
    for (const std::string& filter : NameFiltersFromFilterList(LoadResString(res::kArchiveFileFilter))) filters << ui::ToQString(filter);
    dialog.setNameFilters(filters);
    dialog.selectFile(ui::ToQString(defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;

    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    QDir::setCurrent(chosen.absolutePath());
    return QFile::encodeName(chosen.absoluteFilePath()).toStdString();
}

} // namespace qx::report
