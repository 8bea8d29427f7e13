// The E-mail command's file work for a 3840×2160 32-bit screenshot: the
// report file (24-bit bitmap file, then the text) and its archive, beside
// gzip -6 of the same report file (read from the file, a zlib level 6 gzip
// stream written to a file). Prints both times, both ratios and the time
// ratio; the fastest iteration counts, by wall clock and by CPU time, since
// other work on the cores lengthens some iterations.
#include "bitmap/write_screen_bitmap.h"
#include "platform/posix/posix_file_store.h"
#include "report/email/report_text.h"
#include "support/bitmap_fixtures.h"
#include "support/report_record_builder.h"
#include "timing/fastest_time.h"
#include "support/scratch_dir.h"

#include <qxcompress.h>
#include <zlib.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

struct Measure {
    double seconds = 0;    // wall clock
    double cpuSeconds = 0; // the process's CPU time
    double ratio = 0; // output bytes / report file bytes
    std::uintmax_t reportBytes = 0;
    std::uintmax_t outputBytes = 0;
};

Measure g_archive;
Measure g_reportOnly;
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

using qx::bench::FastestTime;

Measure Figures(const FastestTime& time, const std::string& report, const std::string& output)
{
    Measure m{time.Wall(), time.Cpu(), 0, fs::file_size(report), fs::file_size(output)};
    m.ratio = static_cast<double>(m.outputBytes) / static_cast<double>(m.reportBytes);
    return m;
}

// What gzip -6 does with the file: read it, write a gzip stream of zlib level 6.
bool Gzip6(const std::string& source, const std::string& packed)
{
    std::ifstream in(source, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    z_stream z{};
    constexpr int kGzipWindow = 15 + 16;
    if (deflateInit2(&z, 6, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    std::vector<unsigned char> out(deflateBound(&z, static_cast<uLong>(bytes.size())));
    z.next_in = const_cast<unsigned char*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const bool finished = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(z.total_out);
    deflateEnd(&z);
    std::ofstream(packed, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return finished;
}

void BM_ReportFileAndArchive(benchmark::State& state)
{
    qx::test::ScratchDir dir;
    qx::platform::PosixFileStore files;
    const std::string report = dir.File("QX0001.TMP");
    const std::string archive = dir.File("QX000001.QXR");
    Screen();
    FastestTime time;
    for (auto _ : state) {
        if (!time.Measure([&] { return WriteReportFile(files, report) && nfCompacte(0, report.c_str(), archive.c_str()) == QXCOMPRESS_COMPACT_WRITTEN; })) {
            state.SkipWithError("report file or archive failed");
            return;
        }
    }
    g_archive = Figures(time, report, archive);
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
    FastestTime time;
    for (auto _ : state) {
        if (!time.Measure([&] { return WriteReportFile(files, report); })) {
            state.SkipWithError("report file failed");
            return;
        }
    }
    g_reportOnly = Figures(time, report, report);
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
    FastestTime time;
    for (auto _ : state) {
        if (!time.Measure([&] { return Gzip6(report, packed); })) {
            state.SkipWithError("gzip stream failed");
            return;
        }
    }
    g_gzip = Figures(time, report, packed);
    state.counters["ratio"] = g_gzip.ratio;
    state.SetBytesProcessed(static_cast<std::int64_t>(g_gzip.reportBytes) * state.iterations());
}

BENCHMARK(BM_ReportFileAndArchive)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ReportFileOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_Gzip6)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_archive.seconds > 0 && g_gzip.seconds > 0) {
        std::printf("\n%dx%d 32-bit screenshot, report file %ju bytes; fastest iteration, wall clock (CPU)\n", kWidth,
                    kHeight, g_archive.reportBytes);
        std::printf("  report file + archive: %.3f s (%.3f s), archive %ju bytes (%.2f %% of the report file)%s\n",
                    g_archive.seconds, g_archive.cpuSeconds, g_archive.outputBytes, 100 * g_archive.ratio,
                    g_archive.seconds < 0.25 ? "" : "  [over the 0.25 s target]");
        std::printf("  of which the report file alone: %.3f s (%.3f s)\n", g_reportOnly.seconds, g_reportOnly.cpuSeconds);
        std::printf("  gzip -6 of the report file: %.3f s (%.3f s), %ju bytes (%.2f %%)\n", g_gzip.seconds,
                    g_gzip.cpuSeconds, g_gzip.outputBytes, 100 * g_gzip.ratio);
        std::printf("  time ratio archive / gzip -6: %.2f (%.2f); size ratio archive / gzip -6: %.2f\n",
                    g_archive.seconds / g_gzip.seconds, g_archive.cpuSeconds / g_gzip.cpuSeconds,
                    static_cast<double>(g_archive.outputBytes) / static_cast<double>(g_gzip.outputBytes));
    }
    return 0;
}
