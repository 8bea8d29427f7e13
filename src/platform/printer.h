#pragma once

// A printer device as the printed report uses it: capabilities in printer
// pixels, one font at a time, word-wrapped text, pages of one job, and images
// transferred as they are or stretched. Coordinates are printer pixels from
// the top-left corner of the printable area. Texts are Windows-1252 bytes.

#include "platform/bitmap.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qx::platform {

enum class DeviceCap {
    HorzRes,         // printable width
    VertRes,         // printable height
    PhysicalWidth,   // width of the whole sheet
    PhysicalHeight,  // height of the whole sheet
    PhysicalOffsetX, // distance from the sheet's left edge to the printable area
    LogPixelsY,      // pixels per inch, vertically
    RasterCaps,      // a set of the kRc... bits
};

// RASTERCAPS bit: the device can take images.
inline constexpr int kRcBitBlt = 0x0001;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class FontPitch { Default, Fixed, Variable };
enum class FontFamily { DontCare, Roman, Swiss, Modern, Script, Decorative };
enum class FontStyle { Upright, Italic };

// A font request. A negative height asks for that character height (the
// em size, without internal leading), a positive one for that cell height.
struct FontSpec {
    std::string faceName;
    int height = 0;
    int weight = 400;
    FontStyle style = FontStyle::Upright;
    FontPitch pitch = FontPitch::Default;
    FontFamily family = FontFamily::DontCare;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Metrics of the selected font, in printer pixels.
struct TextMetrics {
    int height = 0;          // ascent plus descent
    int externalLeading = 0; // space the font wants between two lines
};

// A font made by one printer, for that printer only. It is released when
// the object goes; it must not be selected then.
class PrinterFont {
public:
    virtual ~PrinterFont() = default;
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual int GetDeviceCaps(DeviceCap cap) const = 0;

    // The nearest font the device has for the request; null when none.
    virtual std::unique_ptr<PrinterFont> CreateFont(const FontSpec& wanted) = 0;
    // Selects `font` for the text that follows; null selects the device's
    // own font again.
    virtual void SelectFont(const PrinterFont* font) = 0;
    virtual TextMetrics GetTextMetrics() const = 0;

    // Draws `text` inside `rect`, broken into lines between words (a word
    // longer than a line is broken where it reaches the edge), without
    // mnemonic prefixes, clipped to the rectangle; a line that does not fit
    // whole in the printable area is not drawn. Returns the height of the
    // text: one line height for every line laid out, drawn or not; 0 when
    // nothing could be drawn.
    virtual int DrawText(std::string_view text, const Rect& rect) = 0;

    // The lines DrawText would lay `text` out in, `width` pixels wide, with
    // the selected font: consecutive pieces of `text` that give `text` back
    // when joined. None for an empty text.
    virtual std::vector<std::string> BreakLines(std::string_view text, int width) const = 0;

    // The job and its pages; nothing is drawn outside the printable area.
    // Each returns a value greater than zero on
    // success, zero or less on failure.
    virtual int StartDoc(std::string_view documentName) = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;

    // Copies the `source` part of `image` (top row first) to the device with
    // its top-left corner at (x, y), pixel for pixel. Returns the number of
    // rows transferred, 0 on failure.
    virtual int SetBitmapToDevice(int x, int y, const Bitmap& image, const Rect& source) = 0;
    // Stretches the `source` part of `image` over `destination`. Returns the
    // number of rows transferred, 0 on failure.
    virtual int StretchBitmap(const Rect& destination, const Bitmap& image, const Rect& source) = 0;
};

} // namespace qx::platform
