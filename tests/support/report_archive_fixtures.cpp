#include "support/report_archive_fixtures.h"

#include "bitmap/write_screen_bitmap.h"
#include "support/memory_file_store.h"

#include <qxcompress.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace qx::test {
namespace {

constexpr std::size_t kMethodOffset = 1;
constexpr std::size_t kNameOffset = 15;
constexpr std::size_t kNameField = QXCOMPRESS_MAX_PATH_LENGTH + 1;

} // namespace

std::vector<std::uint8_t> ReportFileBytes(const Bitmap& screen, const std::string& text)
{
    MemoryFileStore memory;
    if (!bitmap::WriteScreenBitmap(screen, memory, "screen")) return {};
    std::vector<std::uint8_t> bytes = memory.files["screen"];
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool MakePackedArchive(const std::vector<std::uint8_t>& reportFile, const std::string& archivePath, const std::string& memberName)
{
    const std::string source = archivePath + ".source";
    const bool packed = WriteBytes(source, reportFile) &&
                        nfCompacte(0, source.c_str(), archivePath.c_str()) == QXCOMPRESS_COMPACT_WRITTEN;
    std::remove(source.c_str());
    std::vector<std::uint8_t> archive = ReadBytes(archivePath);
    if (!packed || archive.size() < kNameOffset + kNameField ||
        std::string(archive.begin() + kMethodOffset, archive.begin() + kMethodOffset + 5) != "-lh5-")
        return false;
    if (memberName.empty()) return true;
    if (memberName.size() >= kNameField) return false;
    std::fill_n(archive.begin() + kNameOffset, kNameField, 0);
    std::copy(memberName.begin(), memberName.end(), archive.begin() + kNameOffset);
    return WriteBytes(archivePath, archive);
}

} // namespace qx::test
