// The whole system-information gathering of the report dialog (version line,
// 16-bit list, 32-bit modules, EXE and DLL lists, product codes), on this
// machine's /proc and on a synthetic source of 500 processes of 80 modules
// each, both over the same fixture installation. Prints both times in
// milliseconds and their ratio.
#include "platform/posix/linux_version_source.h"
#include "platform/posix/local_system_services.h"
#include "platform/posix/posix_file_reader.h"
#include "platform/posix/posix_file_store.h"
#include "platform/posix/posix_program_runner.h"
#include "support/fake_process_source.h"
#include "support/pe_writer.h"
#include "support/scratch_dir.h"
#include "sysinfo/sysinfo.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr int kProcesses = 500;
constexpr int kModulesPerProcess = 80;
constexpr int kLibraryPool = 240; // distinct library files the processes share
constexpr double kSyntheticTargetMs = 150;

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// An installation with its helper, a few product files, and the library
// files of the synthetic processes (a sixth of them product DLLs with a
// version, the rest files that are no PE image).
class Fixture {
public:
    Fixture()
    {
        const std::string helper = dir.File("lstdll16.exe");
        std::ofstream(helper) << "#!/bin/sh\nprintf 'QXRT16.DLL\\r\\n5.50           x1\\r\\n' > \"$1\"\n";
        ::chmod(helper.c_str(), 0755);
        for (int i = 0; i < 12; ++i) {
            WriteFile(dir.File("QXTOOL" + std::to_string(i) + ".EXE"), qx::test::PeWithVersion("5.50." + std::to_string(i)));
            WriteFile(dir.File("QXLIB" + std::to_string(i) + ".DLL"), qx::test::PeWithVersion("5.50"));
        }
        std::vector<std::uint8_t> elf(4096, 0);
        elf[0] = 0x7F, elf[1] = 'E', elf[2] = 'L', elf[3] = 'F';
        for (int i = 0; i < kLibraryPool; ++i) {
            const bool product = i % 6 == 0;
            const std::string path = dir.File((product ? "QXM" : "libm") + std::to_string(i) + (product ? ".DLL" : ".so"));
            WriteFile(path, product ? qx::test::PeWithVersion("5.50." + std::to_string(i)) : elf);
            libraries.push_back(path);
        }
        // Processes 0, 3, 6, ... run a product executable; the others load
        // product DLLs only sometimes, so some are kept and some dropped.
        for (int p = 0; p < kProcesses; ++p) {
            std::vector<std::string> paths{dir.File(p % 3 == 0 ? "QXTOOL" + std::to_string(p % 12) + ".EXE"
                                                               : "libm" + std::to_string(1 + p % 5) + ".so")};
            for (int m = 0; m < kModulesPerProcess; ++m)
                paths.push_back(libraries[static_cast<std::size_t>((p * 7 + m * (p % 2 ? 13 : 11) + 1) % kLibraryPool)]);
            synthetic.AddProcess(static_cast<qx::platform::ProcessId>(1000 + p), paths);
        }
    }

    std::string InstallDir() const { return dir.Path().string() + "/"; }

    qx::test::ScratchDir dir;
    std::vector<std::string> libraries;
    qx::test::FakeProcessSource synthetic;
};

Fixture& TheFixture()
{
    static Fixture fixture;
    return fixture;
}

struct Timing {
    double wallMs = 0;
    double cpuMs = 0; // this process only: the helper's time is not in it
};

Timing g_real;
Timing g_synthetic;

double CpuMs()
{
    std::timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void Gather(benchmark::State& state, const qx::sysinfo::SystemServices& services, Timing& timing)
{
    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        CReportRecord record;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMs();
        qx::sysinfo::GatherSystemInformation(services, TheFixture().InstallDir(), record);
        cpu += CpuMs() - cpuStart;
        wall += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(record);
    }
    const auto n = static_cast<double>(state.iterations());
    timing = {wall / n, cpu / n};
    state.counters["wall_ms"] = timing.wallMs;
    state.counters["cpu_ms"] = timing.cpuMs;
}

void BM_GatherThisMachine(benchmark::State& state)
{
    const qx::platform::LocalSystemServices system;
    Gather(state, system.Services(), g_real);
}

void BM_GatherSynthetic500x80(benchmark::State& state)
{
    const qx::platform::LinuxVersionSource version;
    qx::platform::PosixFileReader files;
    qx::platform::PosixFileStore store;
    qx::platform::PosixProgramRunner programs;
    const qx::sysinfo::SystemServices services{version, TheFixture().synthetic, qx::sysinfo::Provider::Nt,
                                               "qxbeta", files, files, store, programs};
    Gather(state, services, g_synthetic);
}

BENCHMARK(BM_GatherThisMachine)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GatherSynthetic500x80)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TheFixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_real.wallMs > 0 && g_synthetic.wallMs > 0) {
        std::printf("\nthis machine's /proc: %.2f ms (cpu %.2f ms)\n"
                    "synthetic %d x %d:    %.2f ms (cpu %.2f ms), target under %.0f ms: %s\n"
                    "synthetic / this machine: %.2f\n",
                    g_real.wallMs, g_real.cpuMs, kProcesses, kModulesPerProcess, g_synthetic.wallMs, g_synthetic.cpuMs,
                    kSyntheticTargetMs, g_synthetic.wallMs < kSyntheticTargetMs ? "met" : "NOT met",
                    g_synthetic.wallMs / g_real.wallMs);
    }
    return 0;
}
