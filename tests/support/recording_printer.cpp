#include "support/recording_printer.h"


namespace qx::test {

class RecordedFont : public platform::PrinterFont {
public:
    explicit RecordedFont(RecordingPrinter& printer) : m_printer(printer) { ++m_printer.m_liveFonts; }
    ~RecordedFont() override
    {
        // A font deleted while selected is a fault of the code under test.
        if (m_printer.m_selected == this) m_printer.m_calls.push_back("DeleteSelectedFont");
        --m_printer.m_liveFonts;
    }

private:
    RecordingPrinter& m_printer;
};

namespace {

// Whether the blank a line is broken at stays with it (the pieces join back
// into the text) or is dropped (what is seen on paper).
enum class Blanks { Kept, Dropped };

// Lines of `text` in the fixed-pitch model, `columns` characters wide.
std::vector<std::string> WrapFixedPitch(std::string_view text, int columns, Blanks blanks = Blanks::Dropped)
{
    std::vector<std::string> lines;
    if (columns <= 0) return lines;
    const auto width = static_cast<std::size_t>(columns);
    std::string line;
    for (char c : text) {
        if (line.size() == width) {
            const std::size_t blank = line.rfind(' ');
            if (blank != std::string::npos && blank > 0) {
                lines.push_back(line.substr(0, blanks == Blanks::Kept ? blank + 1 : blank));
                line.erase(0, blank + 1);
            } else {
                lines.push_back(line);
                line.clear();
            }
        }
        line += c;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

} // namespace

RecordingPrinter::RecordingPrinter(RecordingPrinterSetup setup) : m_setup(setup) {}

RecordingPrinter::~RecordingPrinter() = default;

int RecordingPrinter::GetDeviceCaps(platform::DeviceCap cap) const
{
    using platform::DeviceCap;
    switch (cap) {
    case DeviceCap::HorzRes: return m_setup.horzRes;
    case DeviceCap::VertRes: return m_setup.vertRes;
    case DeviceCap::PhysicalWidth: return m_setup.physicalWidth;
    case DeviceCap::PhysicalHeight: return m_setup.physicalHeight;
    case DeviceCap::PhysicalOffsetX: return m_setup.physicalOffsetX;
    case DeviceCap::LogPixelsY: return m_setup.logPixelsY;
    case DeviceCap::RasterCaps: return m_setup.rasterCaps;
    }
    return 0;
}

std::unique_ptr<platform::PrinterFont> RecordingPrinter::CreateFont(const platform::FontSpec& wanted)
{
    m_fontsCreated.push_back(wanted);
    return std::make_unique<RecordedFont>(*this);
}

void RecordingPrinter::SelectFont(const platform::PrinterFont* font)
{
    m_selected = font;
}

platform::TextMetrics RecordingPrinter::GetTextMetrics() const
{
    return {m_setup.fontHeight, m_setup.externalLeading};
}

int RecordingPrinter::LinePitch() const
{
    return m_setup.linePitch != 0 ? m_setup.linePitch : m_setup.fontHeight + m_setup.externalLeading;
}

int RecordingPrinter::DrawText(std::string_view text, const platform::Rect& rect)
{
    DrawnText drawn{std::string(text), rect, WrapFixedPitch(text, rect.Width() / m_setup.charWidth), 0};
    drawn.height = static_cast<int>(drawn.lines.size()) * LinePitch();
    const int height = drawn.height;
    if (m_pageOpen) {
        m_pages.back().texts.push_back(std::move(drawn));
    } else {
        m_calls.push_back("DrawText");
    }
    return height;
}

std::vector<std::string> RecordingPrinter::BreakLines(std::string_view text, int width) const
{
    return WrapFixedPitch(text, width / m_setup.charWidth, Blanks::Kept);
}

int RecordingPrinter::StartDoc(std::string_view documentName)
{
    m_calls.push_back("StartDoc " + std::string(documentName));
    if (m_setup.startDocResult > 0) m_inDoc = true;
    return m_setup.startDocResult;
}

int RecordingPrinter::StartPage()
{
    m_calls.push_back("StartPage");
    ++m_startPages;
    if (!m_inDoc || m_pageOpen || m_startPages == m_setup.failingStartPage) return 0;
    m_pageOpen = true;
    m_pages.emplace_back();
    return 1;
}

int RecordingPrinter::EndPage()
{
    m_calls.push_back("EndPage");
    const bool wasOpen = m_pageOpen;
    m_pageOpen = false;
    return wasOpen ? 1 : 0;
}

int RecordingPrinter::EndDoc()
{
    m_calls.push_back("EndDoc");
    const bool wasInDoc = m_inDoc;
    m_inDoc = false;
    return wasInDoc ? 1 : 0;
}

int RecordingPrinter::AbortDoc()
{
    m_calls.push_back("AbortDoc");
    m_inDoc = false;
    m_pageOpen = false;
    return 1;
}

int RecordingPrinter::SetBitmapToDevice(int x, int y, const Bitmap& image, const platform::Rect& source)
{
    const platform::Rect destination{x, y, x + source.Width(), y + source.Height()};
    const int result = m_setup.bitmapResult >= 0 ? m_setup.bitmapResult : source.Height();
    if (!m_pageOpen) {
        m_calls.push_back("Bitmap");
        return result;
    }
    m_pages.back().images.push_back({Transfer::Unscaled, destination, source, image});
    return result;
}

int RecordingPrinter::StretchBitmap(const platform::Rect& destination, const Bitmap& image,
                                    const platform::Rect& source)
{
    const int result = m_setup.bitmapResult >= 0 ? m_setup.bitmapResult : source.Height();
    if (!m_pageOpen) {
        m_calls.push_back("Bitmap");
        return result;
    }
    m_pages.back().images.push_back({Transfer::Stretched, destination, source, image});
    return result;
}

std::map<int, std::string> RecordingPrinter::VisibleRows(const RecordedPage& page, int lineHeight) const
{
    std::map<int, std::string> rows;
    for (const DrawnText& text : page.texts) {
        for (std::size_t i = 0; i < text.lines.size(); ++i) {
            const int top = text.rect.top + static_cast<int>(i) * LinePitch();
            if (top + LinePitch() > m_setup.vertRes) break;
            rows[top / lineHeight] = text.lines[i];
        }
        // An empty text takes its row on the page too.
        if (text.lines.empty() && text.rect.top + LinePitch() <= m_setup.vertRes) rows[text.rect.top / lineHeight];
    }
    return rows;
}

std::vector<std::string> RecordingPrinter::LostLines(const RecordedPage& page) const
{
    std::vector<std::string> lost;
    for (const DrawnText& text : page.texts) {
        for (std::size_t i = 0; i < text.lines.size(); ++i) {
            const int top = text.rect.top + static_cast<int>(i) * LinePitch();
            if (top + LinePitch() > m_setup.vertRes) lost.push_back(text.lines[i]);
        }
    }
    return lost;
}

} // namespace qx::test
