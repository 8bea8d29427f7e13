#pragma once

// A printer that records what is printed on which page, for checking the
// report's row arithmetic exactly. Text is laid out in a fixed-pitch model:
// every character `charWidth` wide, lines broken at blanks (a longer word
// where it reaches the edge), one `LinePitch()` per line.

#include "platform/printer.h"

#include <map>
#include <string>
#include <vector>

namespace qx::test {

struct RecordingPrinterSetup {
    int horzRes = 4800;
    int vertRes = 6600;
    int physicalWidth = 5100;
    int physicalHeight = 6900;
    int physicalOffsetX = 150;
    int logPixelsY = 600;
    int rasterCaps = platform::kRcBitBlt;

    int fontHeight = 50;
    int externalLeading = 0;
    int charWidth = 30;
    // Height of one drawn line; 0 means fontHeight + externalLeading.
    int linePitch = 0;

    int startDocResult = 1;
    // The n-th StartPage (counting from 1) fails; 0 for none.
    int failingStartPage = 0;
    int bitmapResult = -1; // -1: the number of source rows
};

enum class Transfer { Unscaled, Stretched };

struct DrawnText {
    std::string text;
    platform::Rect rect;
    std::vector<std::string> lines;
    int height = 0;
};

struct DrawnImage {
    Transfer transfer = Transfer::Unscaled;
    platform::Rect destination;
    platform::Rect source;
    Bitmap image;
};

struct RecordedPage {
    std::vector<DrawnText> texts;
    std::vector<DrawnImage> images;
};

class RecordingPrinter : public platform::Printer {
public:
    explicit RecordingPrinter(RecordingPrinterSetup setup = {});
    ~RecordingPrinter() override;

    int GetDeviceCaps(platform::DeviceCap cap) const override;
    std::unique_ptr<platform::PrinterFont> CreateFont(const platform::FontSpec& wanted) override;
    void SelectFont(const platform::PrinterFont* font) override;
    platform::TextMetrics GetTextMetrics() const override;
    int DrawText(std::string_view text, const platform::Rect& rect) override;
    std::vector<std::string> BreakLines(std::string_view text, int width) const override;
    int StartDoc(std::string_view documentName) override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;
    int SetBitmapToDevice(int x, int y, const Bitmap& image, const platform::Rect& source) override;
    int StretchBitmap(const platform::Rect& destination, const Bitmap& image, const platform::Rect& source) override;

    int LinePitch() const;

    // Every call of the job and page functions in order ("StartDoc Rapport
    // d'incident", "StartPage", "EndPage", "EndDoc", "AbortDoc"), and texts
    // or images drawn outside an open page as "DrawText" and "Bitmap".
    const std::vector<std::string>& Calls() const { return m_calls; }
    const std::vector<RecordedPage>& Pages() const { return m_pages; }
    const std::vector<platform::FontSpec>& FontsCreated() const { return m_fontsCreated; }
    int LiveFonts() const { return m_liveFonts; }
    bool FontSelected() const { return m_selected != nullptr; }

    // The lines of a page by row (top / line height), as far as they fit in
    // the printable height; the rest are the lost lines.
    std::map<int, std::string> VisibleRows(const RecordedPage& page, int lineHeight) const;
    std::vector<std::string> LostLines(const RecordedPage& page) const;

private:
    friend class RecordedFont;
    RecordingPrinterSetup m_setup;
    std::vector<std::string> m_calls;
    std::vector<RecordedPage> m_pages;
    std::vector<platform::FontSpec> m_fontsCreated;
    const platform::PrinterFont* m_selected = nullptr;
    int m_liveFonts = 0;
    int m_startPages = 0;
    bool m_inDoc = false;
    bool m_pageOpen = false;
};

// A recording printer with a job and its first page already started.
struct OpenPage {
    explicit OpenPage(RecordingPrinterSetup setup = {}) : printer(setup)
    {
        printer.StartDoc("t");
        printer.StartPage();
    }
    RecordingPrinter printer;
};

} // namespace qx::test
