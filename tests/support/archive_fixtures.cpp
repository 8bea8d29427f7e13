#include "support/archive_fixtures.h"

#include <random>
#include <string>

#include "bytes/little_endian.h"
#include "support/bitmap_fixtures.h"

namespace qx::test {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

} // namespace

std::vector<std::uint8_t> ScreenshotBmp(int width, int height, std::uint32_t seed)
{
    const Bitmap screen = ScreenshotLike(width, height, 24, seed);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> file(kFileHeaderBytes + kInfoHeaderBytes + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLe32(file, 2, static_cast<std::uint32_t>(file.size()));
    PutLe32(file, 10, kFileHeaderBytes + kInfoHeaderBytes);
    PutLe32(file, 14, kInfoHeaderBytes);
    PutLe32(file, 18, static_cast<std::uint32_t>(width));
    PutLe32(file, 22, static_cast<std::uint32_t>(height));
    PutLe16(file, 26, 1);
    PutLe16(file, 28, 24);
    PutLe32(file, 34, static_cast<std::uint32_t>(pixelBytes));
    std::uint8_t* rows = file.data() + kFileHeaderBytes + kInfoHeaderBytes;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows + static_cast<std::size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const Rgb c = PixelColor(screen, x, y);
            row[3 * x] = c.blue;
            row[3 * x + 1] = c.green;
            row[3 * x + 2] = c.red;
        }
    }
    return file;
}

std::vector<std::uint8_t> ReportLikeText(std::size_t size, std::uint32_t seed)
{
    // "é", "è", "à", "ç", "ê" in Windows-1252.
    static const char* const kWords[] = {
        "le", "la", "les", "de", "du", "des", "un", "une", "et", "ou", "dans", "sur", "avec", "pour",
        "programme", "fen\xEAtre", "erreur", "rapport", "incident", "module", "version", "fichier",
        "environnement", "d\xE9marrage", "arr\xEAt", "imm\xE9" "diat", "apr\xE8s", "\xE0", "fa\xE7on",
        "QXRUN32.EXE", "QXDB.DLL", "5.50.0.12", "m\xE9moire", "ex\xE9" "cution", "projet", "Orvane",
        "reproduire", "\xE9tape", "cliquer", "bouton", "menu", "compilation", "biblioth\xE8que",
    };
    std::mt19937 rng(seed);
    std::string text;
    text.reserve(size + 64);
    std::size_t lineLength = 0;
    while (text.size() < size) {
        const char* word = kWords[rng() % std::size(kWords)];
        text += word;
        lineLength += std::char_traits<char>::length(word) + 1;
        if (lineLength > 60 + rng() % 15) {
            text += rng() % 4 == 0 ? ".\r\n\r\n" : "\r\n";
            lineLength = 0;
        } else {
            text += ' ';
        }
    }
    text.resize(size);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

} // namespace qx::test
