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

#include "qxr_report/report_archive_reader.h"

namespace {

struct Workspace {
    Workspace()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qx-report-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        dir = pattern;
        archive = dir + "/input.qxr";
        work = dir + "/work";
        std::filesystem::create_directory(work);
    }
    ~Workspace() { std::filesystem::remove_all(dir); }
    std::string dir, archive, work;
};

void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "report reader fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Workspace workspace;
    {
        std::ofstream out(workspace.archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const qxr::ReportResult result = qxr::ReadReportArchive(workspace.archive, workspace.work);
    Require(std::filesystem::is_empty(workspace.work), "the work folder keeps a file");
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
