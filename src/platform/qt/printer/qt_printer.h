#pragma once

// The printer interface on a QPrinter: the job is one QPainter session, the
// first page comes with it and every later one with QPrinter::newPage.

#include "platform/printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <memory>

namespace qx::platform::qt {

class QtPrinter final : public Printer {
public:
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;

    int GetDeviceCaps(DeviceCap cap) const override;
    std::unique_ptr<PrinterFont> CreateFont(const FontSpec& wanted) override;
    void SelectFont(const PrinterFont* font) override;
    TextMetrics GetTextMetrics() const override;
    int DrawText(std::string_view text, const Rect& rect) override;
    std::vector<std::string> BreakLines(std::string_view text, int width) const override;
    int StartDoc(std::string_view documentName) override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;
    int SetBitmapToDevice(int x, int y, const Bitmap& image, const Rect& source) override;
    int StretchBitmap(const Rect& destination, const Bitmap& image, const Rect& source) override;

    QPrinter& Device() { return *m_printer; }

private:
    int LineHeight() const;
    // Breaks `layout` into lines `width` pixels wide, one line height apart.
    int LayOut(QTextLayout& layout, int width) const;

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter; // after m_printer: it ends before the printer goes
    QFont m_font;
    int m_pagesStarted = 0;
    bool m_pageOpen = false;
};

// The fixed-pitch face taken when the wanted one is missing (package
// fonts-liberation).
inline const QString kFixedPitchFamily = QStringLiteral("Liberation Mono");

// The family that `wanted` gets: its face when the system has it (with fixed
// pitch when that is asked for), else for a fixed-pitch request Liberation
// Mono, or the system's fixed-pitch font without it, else the face for the
// font matcher to replace.
QString ResolveFontFamily(const FontSpec& wanted);

} // namespace qx::platform::qt
