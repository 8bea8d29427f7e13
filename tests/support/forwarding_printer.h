#pragma once

// A printer that passes every call on to another one, which stays with the
// test; a subclass changes what it needs (a printer without bitmap transfer).

#include "platform/printer.h"

namespace qx::test {

class ForwardingPrinter : public platform::Printer {
public:
    explicit ForwardingPrinter(platform::Printer& target) : m_target(target) {}

    int GetDeviceCaps(platform::DeviceCap cap) const override { return m_target.GetDeviceCaps(cap); }
    std::unique_ptr<platform::PrinterFont> CreateFont(const platform::FontSpec& wanted) override
    {
        return m_target.CreateFont(wanted);
    }
    void SelectFont(const platform::PrinterFont* font) override { m_target.SelectFont(font); }
    platform::TextMetrics GetTextMetrics() const override { return m_target.GetTextMetrics(); }
    int DrawText(std::string_view text, const platform::Rect& rect) override { return m_target.DrawText(text, rect); }
    std::vector<std::string> BreakLines(std::string_view text, int width) const override
    {
        return m_target.BreakLines(text, width);
    }
    int StartDoc(std::string_view name) override { return m_target.StartDoc(name); }
    int StartPage() override { return m_target.StartPage(); }
    int EndPage() override { return m_target.EndPage(); }
    int EndDoc() override { return m_target.EndDoc(); }
    int AbortDoc() override { return m_target.AbortDoc(); }
    int SetBitmapToDevice(int x, int y, const Bitmap& image, const platform::Rect& source) override
    {
        return m_target.SetBitmapToDevice(x, y, image, source);
    }
    int StretchBitmap(const platform::Rect& destination, const Bitmap& image, const platform::Rect& source) override
    {
        return m_target.StretchBitmap(destination, image, source);
    }

private:
    platform::Printer& m_target;
};

// A printer whose RASTERCAPS lack bitmap transfer.
class NoBitmapPrinter final : public ForwardingPrinter {
public:
    using ForwardingPrinter::ForwardingPrinter;
    int GetDeviceCaps(platform::DeviceCap cap) const override
    {
        const int value = ForwardingPrinter::GetDeviceCaps(cap);
        return cap == platform::DeviceCap::RasterCaps ? value & ~platform::kRcBitBlt : value;
    }
};

} // namespace qx::test
