// Every qxr command on damaged and hostile archives: real report archives
// flipped, cut, grown, with header fields and stored names changed (leading
// out with "../", absolute, with "\" and drive letters, 269 characters
// without NUL), given as regular files, through a pipe and through a named
// pipe. Whatever the bytes: no crash and no sanitizer report, a documented
// exit status, and nothing written outside the place the command was given.
// The mutations are drawn from a seed printed first (QX_TEST_SEED replays).
#include "support/bitmap_fixtures.h"
#include "support/report_archive_fixtures.h"
#include "support/scratch_dir.h"
#include "support/special_files.h"
#include "support/test_seed.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <sys/wait.h>

namespace qx::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kNameAt = 15;  // the stored name in the file
constexpr std::size_t kSizesAt = 7;  // packed size, then source size
const std::set<int> kDocumentedStatuses = {0, 64, 65, 66, 70, 71, 73};
constexpr int kNotRegular = 66;
constexpr const char* kOutsideAbsolute = "/tmp/qxr-mutation-escape.txt";

const char* const kHostileNames[] = {
    "../../escape.txt", "..\\..\\escape.txt", kOutsideAbsolute, "C:\\WINDOWS\\TEMP\\QX1A2B.TMP",
    "D:escape.txt",     "a/..",               "..",             "",
};

void SetName(Bytes& archive, const std::string& name, bool terminated)
{
    if (archive.size() < kNameAt + 269) archive.resize(kNameAt + 269, 0);
    std::fill_n(archive.begin() + kNameAt, 269, std::uint8_t{0});
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 269), archive.begin() + kNameAt);
    if (!terminated) std::fill(archive.begin() + kNameAt + static_cast<std::ptrdiff_t>(name.size()), archive.begin() + kNameAt + 269, 'n');
}

void Mutate(Bytes& a, std::mt19937& rng)
{
    const auto pick = [&](std::size_t n) { return n == 0 ? 0 : rng() % n; };
    switch (rng() % 7) {
    case 0: // bits flipped
        for (int i = 0, n = 1 + static_cast<int>(rng() % 16); i < n && !a.empty(); ++i) a[pick(a.size())] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        break;
    case 1: // cut
        a.resize(pick(a.size()));
        break;
    case 2: // grown
        for (int i = 0, n = 1 + static_cast<int>(rng() % 4000); i < n; ++i) a.push_back(static_cast<std::uint8_t>(rng()));
        break;
    case 3: { // a size field changed
        if (a.size() < kSizesAt + 8) break;
        const std::uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, static_cast<std::uint32_t>(rng())};
        const std::uint32_t v = values[rng() % 6];
        const std::size_t at = kSizesAt + 4 * (rng() % 2);
        for (int i = 0; i < 4; ++i) a[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        break;
    }
    case 4: // a hostile name
        SetName(a, kHostileNames[rng() % std::size(kHostileNames)], true);
        break;
    case 5: // the longest names, with and without NUL
        SetName(a, std::string(rng() % 2 ? 268 : 269, 'L'), rng() % 2);
        break;
    default: // the method changed
        if (a.size() > 6) a[1 + pick(6)] = static_cast<std::uint8_t>("-lh05LH"[rng() % 7]);
        break;
    }
}

struct QxrRun {
    int status = -1; // -1: ended by a signal
    std::string err;
};

class QxrMutation : public ::testing::Test {
protected:
    // The layout: in/ holds the archive, cwd/ is where qxr runs and may write.
    void Clean() const
    {
        fs::remove_all(scratch.Path() / "cwd");
        fs::remove_all(scratch.Path() / "out");
        fs::create_directories(scratch.Path() / "cwd");
    }

    void SetUp() override
    {
        fs::create_directories(scratch.Path() / "in");
        fs::create_directories(scratch.Path() / "cwd");
        fs::remove(kOutsideAbsolute);
    }

    QxrRun Qxr(const std::string& shellLine) const
    {
        const char* bin = std::getenv("QX_BIN_DIR");
        const std::string errFile = scratch.File("err.txt");
        const std::string line = "cd '" + (scratch.Path() / "cwd").string() + "' || exit 99; QXR='" +
                                 std::string(bin ? bin : ".") + "/qxr'; { " + shellLine + " ; } >/dev/null 2>'" +
                                 errFile + "'";
        const int status = std::system(("/bin/sh -c \"" + line + "\"").c_str());
        QxrRun run;
        if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
        const Bytes err = ReadBytes(errFile);
        run.err.assign(err.begin(), err.end());
        fs::remove(errFile);
        return run;
    }

    // Everything in the scratch folder outside cwd/, and the absolute escape.
    std::vector<std::string> Outside() const
    {
        std::vector<std::string> found;
        for (const auto& e : fs::recursive_directory_iterator(scratch.Path())) {
            const std::string rel = fs::relative(e.path(), scratch.Path()).string();
            // cwd/ and out/ (given as "../out") are the places commands are given.
            if (rel != "in" && rel != "cwd" && rel != "out" && rel != "in/a.qxr" && rel != "in/fifo" &&
                !rel.starts_with("cwd/") && !rel.starts_with("out/"))
                found.push_back(rel);
        }
        if (fs::exists(kOutsideAbsolute)) found.push_back(kOutsideAbsolute);
        fs::remove(kOutsideAbsolute);
        return found;
    }

    void ExpectSafe(const QxrRun& run, const std::string& what) const
    {
        EXPECT_TRUE(kDocumentedStatuses.count(run.status)) << what << ": status " << run.status << "\n" << run.err;
        EXPECT_NE(run.status, 70) << what << "\n" << run.err;
        EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << what << "\n" << run.err;
        EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << what << "\n" << run.err;
        EXPECT_EQ(Outside(), std::vector<std::string>{}) << what;
    }

    ScratchDir scratch;
};

const char* const kCommands[] = {"unpack A", "unpack A out/", "unpack A dest.bin", "size A",
                                 "list A",   "show A",        "extract A out",      "extract A ../out"};

std::string With(const std::string& command, const std::string& archive)
{
    const std::size_t at = command.find('A');
    return "\\$QXR " + command.substr(0, at) + "'" + archive + "'" + command.substr(at + 1);
}

TEST_F(QxrMutation, EveryCommandOnMutatedArchivesStaysInItsPlace)
{
    const Bitmap screen = ScreenshotLike(64, 40, 24, 3);
    const Bytes report = ReportFileBytes(screen, text::Utf8ToCp1252("Rapport\r\nTexte à lire\r\n"));
    const std::string archive = scratch.File("in/a.qxr");
    ASSERT_TRUE(MakePackedArchive(report, archive, "C:\\TEMP\\QX0001.TMP"));
    const Bytes base = ReadBytes(archive);
    std::vector<Bytes> bases = {base, report};

    std::mt19937 rng(TestSeed());
    const int mutations = 16;
    for (int n = 0; n < mutations; ++n) {
        Bytes mutated = bases[rng() % bases.size()];
        for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0; --edits) Mutate(mutated, rng);
        ASSERT_TRUE(WriteBytes(archive, mutated));
        for (const char* command : kCommands) {
            ExpectSafe(Qxr(With(command, archive)), "mutation " + std::to_string(n) + ": " + command);
            Clean();
        }
    }
}

TEST_F(QxrMutation, PipesAndNamedPipesAreRefusedWithoutWaiting)
{
    const std::string archive = scratch.File("in/a.qxr");
    ASSERT_TRUE(MakePackedArchive(ReportFileBytes(ScreenshotLike(16, 16, 24, 4), "x"), archive, kOutsideAbsolute));
    const std::string fifo = scratch.File("in/fifo");
    ASSERT_TRUE(MakeFifo(fifo));
    for (const char* command : kCommands) {
        const QxrRun piped = Qxr("cat '" + archive + "' | " + With(command, "/dev/stdin"));
        ExpectSafe(piped, std::string("pipe: ") + command);
        EXPECT_EQ(piped.status, kNotRegular) << command << "\n" << piped.err;
        // A writer on the named pipe, ended afterwards if it still waits.
        const QxrRun named = Qxr("cat '" + archive + "' >'" + fifo + "' & w=\\$! ; " + With(command, fifo) +
                                 " ; s=\\$? ; kill \\$w 2>/dev/null ; exit \\$s");
        ExpectSafe(named, std::string("named pipe: ") + command);
        EXPECT_EQ(named.status, kNotRegular) << command << "\n" << named.err;
        Clean();
    }
}

} // namespace
} // namespace qx::test
