#pragma once

// The printer set-up dialog: the tester picks a system printer (or a PDF
// file) and its settings.

#include "platform/printer.h"

#include <QString>

#include <memory>
#include <string>

class QWidget;

namespace qx::platform::qt {

// Test and automation hook: when this environment variable names a file,
// ChoosePrinter shows no dialog and prints to that PDF file, as if it had
// been chosen in the dialog. Nothing else reads it.
inline constexpr const char* kPrintToPdfVariable = "QX_PRINT_TO_PDF";

// Runs the printer dialog modally over `owner` for the job `documentName`
// (Windows-1252), on the locale's paper size, with DefaultPdfPath as the
// file offered for printing to a file. The chosen printer, or null when the
// dialog did not end with OK.
std::unique_ptr<Printer> ChoosePrinter(QWidget* owner, const std::string& documentName);

// `documentName` with ".pdf" in the current folder.
QString DefaultPdfPath(const std::string& documentName);

// A printer that writes the PDF file `path` at the printers' high
// resolution, on the locale's paper size, as the job `documentName`.
std::unique_ptr<Printer> MakePdfPrinter(const QString& path, const std::string& documentName);

} // namespace qx::platform::qt
