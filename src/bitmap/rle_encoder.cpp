#include "bitmap/rle_encoder.h"

#include <cstddef>

namespace qx::bitmap {
namespace {

constexpr int kMaxCount = 255;   // pixels of one encoded or absolute run
constexpr int kMinAbsolute = 3;  // escape codes 0, 1 and 2 are taken
constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;

// The shortest run worth an encoded run of its own: below this, its pixels
// cost less inside an absolute run than the break of that run costs.
int MinEncodedRun(Rle mode)
{
    return mode == Rle::Rle8 ? 3 : 6;
}

// Pixels from `start` that one encoded run can reproduce: equal indices for
// Rle8, the pair row[start], row[start + 1] repeating for Rle4.
int RunLength(Rle mode, std::span<const std::uint8_t> row, int start)
{
    const int width = static_cast<int>(row.size());
    int length = 1;
    while (start + length < width && length < kMaxCount) {
        const int model = (mode == Rle::Rle8) ? start : start + length % 2;
        if (row[start + length] != row[model]) break;
        ++length;
    }
    return length;
}

class RowWriter {
public:
    RowWriter(Rle mode, std::vector<std::uint8_t>& out) : m_mode(mode), m_out(out) {}

    void Encoded(std::span<const std::uint8_t> row, int start, int count)
    {
        m_out.push_back(static_cast<std::uint8_t>(count));
        if (m_mode == Rle::Rle8) {
            m_out.push_back(row[start]);
        } else {
            const std::uint8_t second = count > 1 ? row[start + 1] : 0;
            m_out.push_back(static_cast<std::uint8_t>((row[start] << 4) | (second & 0x0F)));
        }
    }

    void Absolute(std::span<const std::uint8_t> row, int start, int count)
    {
        m_out.push_back(kEscape);
        m_out.push_back(static_cast<std::uint8_t>(count));
        std::size_t bytes = 0;
        if (m_mode == Rle::Rle8) {
            m_out.insert(m_out.end(), row.begin() + start, row.begin() + start + count);
            bytes = static_cast<std::size_t>(count);
        } else {
            for (int i = 0; i < count; i += 2) {
                const std::uint8_t second = i + 1 < count ? row[start + i + 1] : 0;
                m_out.push_back(static_cast<std::uint8_t>((row[start + i] << 4) | (second & 0x0F)));
                ++bytes;
            }
        }
        if (bytes % 2 != 0) m_out.push_back(0);
    }

    // Pixels too few for an absolute run: one or two encoded runs.
    void Short(std::span<const std::uint8_t> row, int start, int count)
    {
        if (m_mode == Rle::Rle4 || count == 1 || row[start] == row[start + 1]) {
            Encoded(row, start, count);
            return;
        }
        Encoded(row, start, 1);
        Encoded(row, start + 1, 1);
    }

    void End(std::uint8_t code)
    {
        m_out.push_back(kEscape);
        m_out.push_back(code);
    }

private:
    Rle m_mode;
    std::vector<std::uint8_t>& m_out;
};

void EncodeRow(Rle mode, std::span<const std::uint8_t> row, RowWriter& writer)
{
    const int width = static_cast<int>(row.size());
    const int minRun = MinEncodedRun(mode);
    int x = 0;
    while (x < width) {
        const int run = RunLength(mode, row, x);
        if (run >= minRun) {
            writer.Encoded(row, x, run);
            x += run;
            continue;
        }
        int end = x + 1;
        while (end < width && end - x < kMaxCount && RunLength(mode, row, end) < minRun) ++end;
        int count = end - x;
        // Pillow 9.4 and older read an odd absolute run of 4-bit pixels one
        // byte short and lose the 16-bit alignment after it: 4-bit absolute
        // runs are kept even, the odd pixel going into an encoded run.
        if (mode == Rle::Rle4 && count % 2 != 0) --count;
        if (count >= kMinAbsolute) {
            writer.Absolute(row, x, count);
        } else if (count > 0) {
            writer.Short(row, x, count);
        }
        if (count < end - x) writer.Short(row, x + count, end - x - count);
        x = end;
    }
}

} // namespace

std::vector<std::uint8_t> EncodeRle(Rle mode, int width, int height, std::span<const std::uint8_t> indices)
{
    std::vector<std::uint8_t> out;
    RowWriter writer(mode, out);
    for (int y = height - 1; y >= 0; --y) {
        EncodeRow(mode, indices.subspan(static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width)), writer);
        writer.End(y == 0 ? kEndOfBitmap : kEndOfLine);
    }
    return out;
}

} // namespace qx::bitmap
