#include "platform/qt/printer/qt_printer.h"

#include "platform/qt/common/qimage_bitmap.h"
#include "platform/qt/common/qt_text.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>

namespace qx::platform::qt {

namespace {

class QtPrinterFont final : public PrinterFont {
public:
    explicit QtPrinterFont(QFont font) : font(std::move(font)) {}
    QFont font;
};

QRect ToQRect(const Rect& r)
{
    return QRect(QPoint(r.left, r.top), QSize(r.Width(), r.Height()));
}

// The page gets every image as 32-bit colour, whatever the bitmap's depth.
QImage ToQImage(const Bitmap& bitmap)
{
    return QImageFromBitmap(bitmap).convertToFormat(QImage::Format_RGB32);
}

QFont::StyleHint StyleHintFor(const FontSpec& wanted)
{
    if (wanted.pitch == FontPitch::Fixed) return QFont::Monospace;
    switch (wanted.family) {
    case FontFamily::Roman: return QFont::Serif;
    case FontFamily::Swiss: return QFont::SansSerif;
    case FontFamily::Modern: return QFont::Monospace;
    case FontFamily::Script: return QFont::Cursive;
    case FontFamily::Decorative: return QFont::Decorative;
    case FontFamily::DontCare: break;
    }
    return QFont::AnyStyle;
}

} // namespace

QString ResolveFontFamily(const FontSpec& wanted)
{
    const QString face = ui::ToQString(wanted.faceName);
    const bool fixed = wanted.pitch == FontPitch::Fixed;
    if (QFontDatabase::hasFamily(face) && (!fixed || QFontDatabase::isFixedPitch(face))) return face;
    if (!fixed) return face;
    // The face a Windows printer maps a fixed-pitch request to has the
    // metrics of Liberation Mono; the system's fixed font (whatever the
    // machine's fonts make of "monospace") only when that is missing.
    if (QFontDatabase::hasFamily(kFixedPitchFamily) && QFontDatabase::isFixedPitch(kFixedPitchFamily)) {
        return kFixedPitchFamily;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

QtPrinter::~QtPrinter() = default;

int QtPrinter::GetDeviceCaps(DeviceCap cap) const
{
    const int resolution = m_printer->resolution();
    const QPageLayout layout = m_printer->pageLayout();
    switch (cap) {
    case DeviceCap::HorzRes: return m_printer->width();
    case DeviceCap::VertRes: return m_printer->height();
    case DeviceCap::PhysicalWidth: return layout.fullRectPixels(resolution).width();
    case DeviceCap::PhysicalHeight: return layout.fullRectPixels(resolution).height();
    case DeviceCap::PhysicalOffsetX: return layout.paintRectPixels(resolution).left();
    case DeviceCap::LogPixelsY: return m_printer->logicalDpiY();
    case DeviceCap::RasterCaps: return kRcBitBlt;
    }
    return 0;
}

std::unique_ptr<PrinterFont> QtPrinter::CreateFont(const FontSpec& wanted)
{
    QFont font(ResolveFontFamily(wanted));
    // A negative height is the character height: the em size in pixels.
    font.setPixelSize(std::max(1, std::abs(wanted.height)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 1, 1000)));
    font.setItalic(wanted.style == FontStyle::Italic);
    font.setFixedPitch(wanted.pitch == FontPitch::Fixed);
    font.setStyleHint(StyleHintFor(wanted), QFont::PreferQuality);
    // The font's own outlines and metrics, not ones fitted to a pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    return std::make_unique<QtPrinterFont>(font);
}

void QtPrinter::SelectFont(const PrinterFont* font)
{
    const auto* qtFont = dynamic_cast<const QtPrinterFont*>(font);
    m_font = qtFont != nullptr ? qtFont->font : QFont();
    if (m_painter.isActive()) m_painter.setFont(m_font);
}

TextMetrics QtPrinter::GetTextMetrics() const
{
    const QFontMetrics metrics(m_font, m_printer.get());
    // Windows fonts never ask for less than nothing between lines.
    return {metrics.height(), std::max(0, metrics.leading())};
}

int QtPrinter::LineHeight() const
{
    const TextMetrics metrics = GetTextMetrics();
    return metrics.height + metrics.externalLeading;
}

int QtPrinter::LayOut(QTextLayout& layout, int width) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Lines one line height apart, so that a text of n lines takes n rows.
    const int lineHeight = LineHeight();
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, static_cast<qreal>(lines) * lineHeight));
        ++lines;
    }
    layout.endLayout();
    return lines;
}

std::vector<std::string> QtPrinter::BreakLines(std::string_view text, int width) const
{
    std::vector<std::string> pieces;
    if (text.empty() || width <= 0) return pieces;
    // Every Windows-1252 byte is one UTF-16 unit: line positions are byte offsets.
    QTextLayout layout(ui::ToQString(text), m_font, m_printer.get());
    const int lines = LayOut(layout, width);
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout.lineAt(i);
        const auto start = static_cast<std::size_t>(line.textStart());
        pieces.emplace_back(text.substr(start, static_cast<std::size_t>(line.textLength())));
    }
    return pieces;
}

int QtPrinter::DrawText(std::string_view text, const Rect& rect)
{
    if (!m_pageOpen || rect.IsEmpty()) return 0;
    QTextLayout layout(ui::ToQString(text), m_font, m_printer.get());
    const int lines = LayOut(layout, rect.Width());
    const int lineHeight = LineHeight();

    m_painter.save();
    m_painter.setClipRect(ToQRect(rect), Qt::IntersectClip);
    m_painter.setPen(Qt::black);
    // A line that does not fit whole in the printable area is not drawn:
    // paper shows no half row, and a PDF file holds no hidden text.
    const QPointF origin(rect.left, rect.top);
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout.lineAt(i);
        if (rect.top + line.y() + lineHeight > m_printer->height()) break;
        line.draw(&m_painter, origin);
    }
    m_painter.restore();
    return lines * lineHeight;
}

int QtPrinter::StartDoc(std::string_view documentName)
{
    if (m_painter.isActive()) return 0;
    m_printer->setDocName(ui::ToQString(documentName));
    if (!m_painter.begin(m_printer.get())) return 0;
    m_painter.setFont(m_font);
    m_pagesStarted = 0;
    return 1;
}

int QtPrinter::StartPage()
{
    if (!m_painter.isActive() || m_pageOpen) return 0;
    if (m_pagesStarted > 0 && !m_printer->newPage()) return 0;
    ++m_pagesStarted;
    m_pageOpen = true;
    // A printer draws nothing outside its printable area; a PDF page would
    // show it in the margins.
    m_painter.setClipRect(QRect(0, 0, m_printer->width(), m_printer->height()));
    return 1;
}

int QtPrinter::EndPage()
{
    const bool wasOpen = m_pageOpen;
    m_pageOpen = false;
    return wasOpen ? 1 : 0;
}

int QtPrinter::EndDoc()
{
    m_pageOpen = false;
    if (!m_painter.isActive()) return 0;
    return m_painter.end() ? 1 : 0;
}

int QtPrinter::AbortDoc()
{
    m_pageOpen = false;
    if (!m_painter.isActive()) return 0;
    const bool aborted = m_printer->abort();
    m_painter.end();
    return aborted ? 1 : 0;
}

int QtPrinter::SetBitmapToDevice(int x, int y, const Bitmap& image, const Rect& source)
{
    if (!m_pageOpen || image.IsNull()) return 0;
    m_painter.drawImage(QPoint(x, y), ToQImage(image), ToQRect(source));
    return source.Height();
}

int QtPrinter::StretchBitmap(const Rect& destination, const Bitmap& image, const Rect& source)
{
    if (!m_pageOpen || image.IsNull()) return 0;
    m_painter.drawImage(ToQRect(destination), ToQImage(image), ToQRect(source));
    return source.Height();
}

} // namespace qx::platform::qt
