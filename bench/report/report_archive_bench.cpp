// The E-mail command's file work for a 3840×2160 32-bit screenshot: the
// report file (24-bit bitmap file, then the text) and its archive, beside
// gzip -6 of the same report file run as a process. Prints both times, both
// ratios and the time ratio.
#include "bitmap/write_screen_bitmap.h"
#include "platform/posix/posix_file_store.h"
#include "report/email/report_text.h"
#include "support/bitmap_fixtures.h"
#include "support/report_record_builder.h"
#include "support/scratch_dir.h"

#include <qxcompress.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

struct Measure {
    double seconds = 0;
    double ratio = 0; // output bytes / report file bytes
    std::uintmax_t reportBytes = 0;
    std::uintmax_t outputBytes = 0;
};

Measure g_archive;
Measure g_gzip;

const qx::Bitmap& Screen()
{
    static const qx::Bitmap screen = qx::test::ScreenshotLike(kWidth, kHeight, 32, 2024);
    return screen;
}

CReportRecord Record()
{
    return qx::test::ReportRecordBuilder()
        .Name("Jean Dupont")
        .Description("Plantage au lancement\r\nd'un projet.")
        .Answers(0, 1)
        .Modules32("QXRUN32.EXE 5.50.0.12 (1)\r\n")
        .Build();
}

// The report file as the E-mail command makes it: the bitmap file, then the text.
bool WriteReportFile(qx::platform::FileStore& files, const std::string& path)
{
    if (!qx::bitmap::WriteScreenBitmap(Screen(), files, path)) return false;
    const auto file = files.Open(path, qx::platform::OpenMode::Append);
    return file && qx::report::WriteReportText(*file, Record()) && file->Close();
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_ReportFileAndArchive(benchmark::State& state)
{
    qx::test::ScratchDir dir;
    qx::platform::PosixFileStore files;
    const std::string report = dir.File("QX0001.TMP");
    const std::string archive = dir.File("QX000001.QXR");
    Screen();
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!WriteReportFile(files, report) ||
            nfCompacte(0, report.c_str(), archive.c_str()) != QXCOMPRESS_COMPACT_WRITTEN) {
            state.SkipWithError("report file or archive failed");
            return;
        }
        total += Seconds(std::chrono::steady_clock::now() - start);
    }
    g_archive = {total / static_cast<double>(state.iterations()), 0, fs::file_size(report), fs::file_size(archive)};
    g_archive.ratio = static_cast<double>(g_archive.outputBytes) / static_cast<double>(g_archive.reportBytes);
    state.counters["ratio"] = g_archive.ratio;
    state.SetBytesProcessed(static_cast<std::int64_t>(g_archive.reportBytes) * state.iterations());
}

// The report file alone: where the conversion to 24 bits and the writing end.
void BM_ReportFileOnly(benchmark::State& state)
{
    qx::test::ScratchDir dir;
    qx::platform::PosixFileStore files;
    const std::string report = dir.File("QX0001.TMP");
    Screen();
    for (auto _ : state) {
        if (!WriteReportFile(files, report)) {
            state.SkipWithError("report file failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(fs::file_size(report)) * state.iterations());
}

void BM_Gzip6(benchmark::State& state)
{
    qx::test::ScratchDir dir;
    qx::platform::PosixFileStore files;
    const std::string report = dir.File("QX0001.TMP");
    const std::string packed = dir.File("report.gz");
    if (!WriteReportFile(files, report)) {
        state.SkipWithError("report file failed");
        return;
    }
    const std::string command = "gzip -6 -c '" + report + "' > '" + packed + "'";
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("gzip failed");
            return;
        }
        total += Seconds(std::chrono::steady_clock::now() - start);
    }
    g_gzip = {total / static_cast<double>(state.iterations()), 0, fs::file_size(report), fs::file_size(packed)};
    g_gzip.ratio = static_cast<double>(g_gzip.outputBytes) / static_cast<double>(g_gzip.reportBytes);
    state.counters["ratio"] = g_gzip.ratio;
    state.SetBytesProcessed(static_cast<std::int64_t>(g_gzip.reportBytes) * state.iterations());
}

BENCHMARK(BM_ReportFileAndArchive)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReportFileOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Gzip6)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_archive.seconds > 0 && g_gzip.seconds > 0) {
        std::printf("\n%dx%d 32-bit screenshot, report file %ju bytes\n", kWidth, kHeight, g_archive.reportBytes);
        std::printf("  report file + archive: %.3f s, archive %ju bytes (%.2f %% of the report file)%s\n", g_archive.seconds,
                    g_archive.outputBytes, 100 * g_archive.ratio, g_archive.seconds < 1.0 ? "" : "  [over the 1 s target]");
        std::printf("  gzip -6 of the report file: %.3f s, %ju bytes (%.2f %%)\n", g_gzip.seconds, g_gzip.outputBytes,
                    100 * g_gzip.ratio);
        std::printf("  time ratio archive / gzip -6: %.2f; size ratio archive / gzip -6: %.2f\n", g_archive.seconds / g_gzip.seconds,
                    static_cast<double>(g_archive.outputBytes) / static_cast<double>(g_gzip.outputBytes));
    }
    return 0;
}
