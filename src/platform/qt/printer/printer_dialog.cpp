#include "platform/qt/printer/printer_dialog.h"

#include "platform/qt/printer/locale_paper.h"
#include "platform/qt/printer/qt_printer.h"
#include "platform/qt/common/qt_text.h"

#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <cstdlib>

namespace qx::platform::qt {

namespace {

std::unique_ptr<QPrinter> ReportPrinter(const std::string& documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(ui::ToQString(documentName));
    printer->setPageSize(LocalePaperSize());
    return printer;
}

} // namespace

QString DefaultPdfPath(const std::string& documentName)
{
    return QDir::current().filePath(ui::ToQString(documentName) + ".pdf");
}

std::unique_ptr<Printer> MakePdfPrinter(const QString& path, const std::string& documentName)
{
    auto printer = ReportPrinter(documentName);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::make_unique<QtPrinter>(std::move(printer));
}

std::unique_ptr<Printer> ChoosePrinter(QWidget* owner, const std::string& documentName)
{
    if (const char* pdf = std::getenv(kPrintToPdfVariable); pdf != nullptr && *pdf != '\0') {
        return MakePdfPrinter(QString::fromLocal8Bit(pdf), documentName);
    }
    auto printer = ReportPrinter(documentName);
    QPrintDialog dialog(printer.get(), owner);
    // The whole report is printed: no selection, no page numbers. Printing
    // to a file stays: it is how a PDF of the report is made.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The dialog fills its file field when it is shown (with print.pdf in
    // the home folder): the report's own name in the current folder replaces
    // it then, so a second printout does not overwrite the first.
    const QString pdfPath = DefaultPdfPath(documentName);
    QTimer::singleShot(0, &dialog, [&dialog, pdfPath] {
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(pdfPath);
    });
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<QtPrinter>(std::move(printer));
}

} // namespace qx::platform::qt
