#include "qxr_report/report_reprint.h"

#include "report/email/archive_name.h"
#include "report/email/report_text_reader.h"
#include "sysinfo/sysinfo.h"
#include "text/cp1252.h"

#include <cstddef>
#include <filesystem>

namespace qxr {
namespace {

qx::Bitmap ToBitmap(const qx::bitmap::RgbImage& rgb)
{
    qx::Bitmap bitmap = qx::MakeBitmap(rgb.width, rgb.height, 32);
    for (int y = 0; y < rgb.height; ++y) {
        const std::uint8_t* from = rgb.rgb.data() + static_cast<std::size_t>(y) * rgb.width * 3;
        std::uint8_t* to = bitmap.Row(y);
        for (int x = 0; x < rgb.width; ++x, from += 3, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bitmap;
}

} // namespace

std::string ReportNumberFromArchiveName(std::string_view fileName, std::string_view serial)
{
    const std::size_t dot = fileName.rfind('.');
    const std::string stem = qx::text::Utf8ToCp1252(fileName.substr(0, dot));
    const std::string prefix = qx::report::ArchiveNamePrefix(serial);
    if (!stem.starts_with(prefix) || stem.size() != prefix.size() + 2) return stem;
    std::string number = stem.substr(prefix.size());
    if (number[0] == '0') number.erase(0, 1);
    return number;
}

std::optional<Reprint> MakeReprint(const ReportFile& report, const std::string& archivePath)
{
    const auto text = report.Text();
    std::optional<CReportRecord> record =
        qx::report::ParseReportText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    if (!record) return std::nullopt;
    qx::sysinfo::LoadProductCodes(*record);
    const std::string fileName = std::filesystem::path(archivePath).filename().string();
    std::string number = ReportNumberFromArchiveName(fileName, record->m_identity.m_strSerial);
    return Reprint{std::move(*record), ToBitmap(report.image), std::move(number)};
}

} // namespace qxr
