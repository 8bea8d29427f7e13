// Fuzz target: any bytes as a report archive, through the reader that qxr
// show, extract and list use. Beyond not crashing (the sanitizers watch the
// bitmap decoder and the lh5 decoder), it checks the reader's promises: a
// report read stays within the documented limits, its image has pixels for
// its size, and the work folder is left empty.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzz_workspace.h"
#include "qxr_report/report_archive_reader.h"

namespace {

void Require(bool condition, const char* what) { qx::fuzz::Require(condition, "report reader fuzz", what); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const qx::fuzz::FuzzWorkspace workspace("qx-report-fuzz");
    static const std::string work = [] {
        const std::string folder = workspace.File("work");
        std::filesystem::create_directory(folder);
        return folder;
    }();
    const std::string archive = workspace.WriteInput(data, size);
    const qxr::ReportResult result = qxr::ReadReportArchive(archive, work);
    Require(std::filesystem::is_empty(work), "the work folder keeps a file");
    if (result.error != qxr::ReportError::None) {
        Require(result.report.bytes.empty(), "a failed read hands out bytes");
        return 0;
    }
    const qxr::ReportFile& report = result.report;
    Require(report.Bitmap().size() <= qxr::kMaxReportBitmapBytes, "bitmap beyond its limit");
    Require(report.Text().size() <= qxr::kMaxReportTextBytes, "text beyond its limit");
    const auto pixels = static_cast<std::uint64_t>(report.image.width) * static_cast<std::uint64_t>(report.image.height);
    Require(pixels <= qxr::kMaxReportPixels, "image beyond its limit");
    Require(report.image.rgb.size() == pixels * 3, "pixels do not fill the image");
    return 0;
}
