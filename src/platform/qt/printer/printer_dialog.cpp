#include "platform/qt/printer/printer_dialog.h"

#include "platform/qt/printer/qt_printer.h"

#include <QPrintDialog>
#include <QPrinter>

#include <cstdlib>

namespace qx::platform::qt {

std::unique_ptr<Printer> MakePdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::make_unique<QtPrinter>(std::move(printer));
}

std::unique_ptr<Printer> ChoosePrinter(QWidget* owner)
{
    if (const char* pdf = std::getenv(kPrintToPdfVariable); pdf != nullptr && *pdf != '\0') {
        return MakePdfPrinter(QString::fromLocal8Bit(pdf));
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), owner);
    // The whole report is printed: no selection, no page numbers.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<QtPrinter>(std::move(printer));
}

} // namespace qx::platform::qt
