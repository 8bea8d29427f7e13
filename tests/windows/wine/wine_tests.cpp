// The archive library's Windows build through its exports, under Wine:
// round trips, every status code and the size query. Runs in an empty
// current directory. With "--full-volume X:" it checks instead what the
// calls report on a small volume seen as drive X:, with "--writes-refused
// prepare" then "--writes-refused check" what they report when the system
// refuses writes past a file size limit.
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "qxcompress.h"
#include "screenshot_bitmap.h"
#include "wine_test_support.h"

namespace {

using qx::wine_test::Checks;
using qx::wine_test::ReadFile;
using qx::wine_test::WriteFile;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Text(std::size_t bytes)
{
    static const char* const kWords[] = {"incident ", "rapport ", "fenêtre ", "Orvane ", "module ", "version\r\n"};
    std::string text;
    for (unsigned i = 0; text.size() < bytes; i = i * 7 + 3) text += kWords[i % 6];
    text.resize(bytes);
    return text;
}

std::string Noise(std::size_t bytes)
{
    std::string noise(bytes, '\0');
    std::uint32_t state = 12345;
    for (char& c : noise) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    return noise;
}

std::string Screenshot()
{
    qx_write_screenshot("shot.tmp");
    std::string bytes = ReadFile("shot.tmp");
    DeleteFileA("shot.tmp");
    return bytes;
}

struct RoundTrip {
    const char* name;
    std::string content;
    bool packed;
};

void CheckRoundTrips(Checks& checks)
{
    const RoundTrip cases[] = {
        {"empty.txt", "", false},
        {"short.txt", Text(283), false},
        {"noise.bin", Noise(20000), false},
        {"report.txt", Text(60000), true},
        {"screen.bmp", Screenshot(), true},
    };
    CreateDirectoryA("outdir", nullptr);
    for (const RoundTrip& c : cases) {
        const std::string name = c.name;
        WriteFile(name, c.content);
        checks.ExpectEq(nfCompacte(0, c.name, "rt.qxr"), 0, name + " packs");
        const std::string archive = ReadFile("rt.qxr");
        if (c.packed) {
            checks.Expect(archive.size() < c.content.size(), name + " is packed smaller");
            checks.ExpectEq(lfTailleCompacte(0, "rt.qxr"), static_cast<std::int32_t>(archive.size()),
                            name + " size query");
            checks.ExpectEq(nfDecompacte(0, 0, "rt.qxr", "outdir\\"), 0, name + " unpacks into a folder");
            checks.Expect(ReadFile("outdir\\" + name) == c.content, name + " unpacked into the folder equals it");
        } else {
            checks.Expect(archive == c.content, name + " gives a plain copy");
            checks.ExpectEq(lfTailleCompacte(0, "rt.qxr"), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE, name + " size query");
        }
        // A plain copy goes only into an existing file; a packed member
        // creates its output.
        WriteFile("rt.out", "older and longer content than some sources");
        checks.ExpectEq(nfDecompacte(0, 0, "rt.qxr", "rt.out"), 0, name + " unpacks to a file");
        checks.Expect(ReadFile("rt.out") == c.content, name + " unpacked equals the source");
    }
}

// A file that opens but whose first byte cannot be read: the memory of the
// process that opened it, at address 0.
constexpr const char* kUnreadable = "Z:\\proc\\self\\mem";

// Every free range of the (32-bit) address space reserved and every free
// block of the heap taken, so that no allocation can succeed while this
// object lives.
class MemoryFilled {
public:
    MemoryFilled()
    {
        for (SIZE_T size = SIZE_T{1} << 30; size >= 4096 && count_ < kMost; size /= 2) {
            while (count_ < kMost) {
                void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
                if (block == nullptr) break;
                reserved_[count_++] = block;
            }
        }
        for (SIZE_T size = SIZE_T{1} << 24; size >= 8 && taken_ < kMost; size /= 2) {
            while (taken_ < kMost) {
                const HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
                if (block == nullptr) break;
                heap_[taken_++] = block;
            }
        }
    }
    ~MemoryFilled()
    {
        for (std::size_t i = 0; i < taken_; ++i) GlobalFree(heap_[i]);
        for (std::size_t i = 0; i < count_; ++i) VirtualFree(reserved_[i], 0, MEM_RELEASE);
    }
    MemoryFilled(const MemoryFilled&) = delete;
    MemoryFilled& operator=(const MemoryFilled&) = delete;

private:
    // Kept in the object: the heap must not be needed while memory runs out.
    static constexpr std::size_t kMost = 8192;
    void* reserved_[kMost] = {};
    HGLOBAL heap_[kMost] = {};
    std::size_t count_ = 0;
    std::size_t taken_ = 0;
};

struct StatusCase {
    const char* what;
    int expected;
    std::function<int()> call;
};

int CompactWithoutMemory()
{
    const auto filled = std::make_unique<MemoryFilled>();
    return nfCompacte(0, "report.txt", "nomemory.qxr");
}

void CheckStatusCodes(Checks& checks)
{
    WriteFile("report.txt", Text(60000));
    nfCompacte(0, "report.txt", "packed.qxr");
    std::string damaged = ReadFile("packed.qxr");
    damaged.resize(damaged.size() / 2);
    WriteFile("damaged.qxr", damaged);
    WriteFile("plain.qxr", Text(100));
    std::string tagged = "MKALMORELZCS@" + std::string(4, 'x') + std::string("\x00\x01\x02\x03", 4) + "rest";
    WriteFile("tagged.bin", tagged);
    std::string untagged = tagged;
    untagged.replace(17, 4, std::string(4, '\0'));
    WriteFile("tagged0.bin", untagged);
    const std::string tooLong(QXCOMPRESS_MAX_PATH_LENGTH + 1, 'n');

    const StatusCase cases[] = {
        {"nfCompacte of a missing source", QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN,
         [] { return nfCompacte(0, "missing.txt", "a.qxr"); }},
        {"nfCompacte of a source path longer than the name field", QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN,
         [&] { return nfCompacte(0, tooLong.c_str(), "a.qxr"); }},
        {"nfCompacte of a device", QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN,
         [] { return nfCompacte(0, "NUL", "a.qxr"); }},
        {"nfCompacte into a device", QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE,
         [] { return nfCompacte(0, "report.txt", "NUL"); }},
        {"nfCompacte into a missing folder", QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE,
         [] { return nfCompacte(0, "report.txt", "nofolder\\a.qxr"); }},
        {"nfCompacte onto the source under another letter case", QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE,
         [] { return nfCompacte(0, "report.txt", "REPORT.TXT"); }},
        {"nfDecompacte of a missing archive", QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN,
         [] { return nfDecompacte(0, 0, "missing.qxr", "x.out"); }},
        {"nfDecompacte of a device", QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN,
         [] { return nfDecompacte(0, 0, "NUL", "x.out"); }},
        {"nfDecompacte of a folder", QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN,
         [] { return nfDecompacte(0, 0, "outdir", "x.out"); }},
        {"nfDecompacte into a device", QXCOMPRESS_EXTRACT_FAILED,
         [] { return nfDecompacte(0, 0, "packed.qxr", "NUL"); }},
        {"nfDecompacte into a missing folder", QXCOMPRESS_EXTRACT_FAILED,
         [] { return nfDecompacte(0, 0, "packed.qxr", "nofolder\\x.out"); }},
        {"nfDecompacte of data cut short", QXCOMPRESS_EXTRACT_FAILED,
         [] { return nfDecompacte(0, 0, "damaged.qxr", "damaged.out"); }},
        {"nfDecompacte of a plain copy into a missing file", QXCOMPRESS_EXTRACT_FAILED,
         [] { return nfDecompacte(0, 0, "plain.qxr", "absent.out"); }},
        {"nfDecompacte of a plain copy without destination", QXCOMPRESS_EXTRACT_DONE,
         [] { return nfDecompacte(0, 0, "plain.qxr", nullptr); }},
        {"nfDecompacte of a plain copy onto itself in another letter case", QXCOMPRESS_EXTRACT_DONE,
         [] { return nfDecompacte(0, 0, "plain.qxr", "PLAIN.QXR"); }},
        {"nfDecompacte of an archive whose first byte cannot be read", QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE,
         [] { return nfDecompacte(0, 0, kUnreadable, "unreadable.out"); }},
        {"lfTailleCompacte of a missing file", QXCOMPRESS_SIZE_CANNOT_OPEN,
         [] { return lfTailleCompacte(0, "missing.qxr"); }},
        {"lfTailleCompacte of a device", QXCOMPRESS_SIZE_CANNOT_OPEN, [] { return lfTailleCompacte(0, "NUL"); }},
        {"lfTailleCompacte of a file whose first byte cannot be read", QXCOMPRESS_SIZE_NOT_AN_ARCHIVE,
         [] { return lfTailleCompacte(0, kUnreadable); }},
        {"lfTailleCompacte of a plain copy", QXCOMPRESS_SIZE_NOT_AN_ARCHIVE,
         [] { return lfTailleCompacte(0, "plain.qxr"); }},
        {"lfTailleCompacte of a tagged file", 0x00010203, [] { return lfTailleCompacte(0, "tagged.bin"); }},
        {"lfTailleCompacte of a tagged file of size 0", QXCOMPRESS_SIZE_NOT_AN_ARCHIVE,
         [] { return lfTailleCompacte(0, "tagged0.bin"); }},
    };
    for (const StatusCase& c : cases) checks.ExpectEq(c.call(), c.expected, c.what);
    // Only a 32-bit address space can be filled up without committing
    // memory; the 64-bit build leaves this code to the Linux tests.
    if constexpr (sizeof(void*) == 4)
        checks.ExpectEq(CompactWithoutMemory(), QXCOMPRESS_COMPACT_NO_MEMORY, "nfCompacte with no memory left");
    checks.Expect(!Exists("a.qxr"), "a refused source creates no archive");
    checks.Expect(ReadFile("report.txt") == Text(60000), "the source named as archive is untouched");
    checks.Expect(!Exists("damaged.out"), "a failed extraction leaves no output");
}

// Drive `drive` is a volume of a few hundred kilobytes, empty at the start.
void CheckFullVolume(Checks& checks, const std::string& drive)
{
    const std::string big = Noise(200000) + Text(400000);
    WriteFile("big.bin", big);
    checks.ExpectEq(nfCompacte(0, "big.bin", (drive + "\\big.qxr").c_str()), QXCOMPRESS_COMPACT_VOLUME_FULL,
                    "nfCompacte onto the full volume");
    DeleteFileA((drive + "\\big.qxr").c_str());

    // A packed member that unpacks to more than the volume holds.
    WriteFile("long.txt", Text(600000));
    checks.ExpectEq(nfCompacte(0, "long.txt", "long.qxr"), 0, "the long text packs beside the volume");
    checks.ExpectEq(nfDecompacte(0, 0, "long.qxr", (drive + "\\long.txt").c_str()), QXCOMPRESS_EXTRACT_VOLUME_FULL,
                    "nfDecompacte onto the full volume");
    checks.Expect(!Exists(drive + "\\long.txt"), "the output cut short by the full volume is deleted");

    WriteFile("report.txt", Text(30000));
    const std::string archive = drive + "\\report.qxr";
    checks.ExpectEq(nfCompacte(0, "report.txt", archive.c_str()), 0, "a small archive still fits the volume");
    checks.ExpectEq(nfDecompacte(0, 0, archive.c_str(), (drive + "\\").c_str()), 0,
                    "and unpacks onto it beside itself");
    checks.Expect(ReadFile(drive + "\\report.txt") == Text(30000), "unpacked on the volume equals the source");
}

// Files the refused-writes check needs, made before the limit is set.
void PrepareRefusedWrites()
{
    WriteFile("noise.bin", Noise(300000));
    WriteFile("long.txt", Text(400000));
    nfCompacte(0, "long.txt", "long.qxr");
}

// The process may write no file past 100 KiB (the system answers such
// writes with a failure, not with a full volume).
void CheckRefusedWrites(Checks& checks)
{
    checks.ExpectEq(nfCompacte(0, "noise.bin", "noise.qxr"), QXCOMPRESS_COMPACT_WRITE_FAILED,
                    "nfCompacte whose writes are refused on a volume with room");
    checks.ExpectEq(nfDecompacte(0, 0, "long.qxr", "long.out"), QXCOMPRESS_EXTRACT_FAILED,
                    "nfDecompacte whose writes are refused on a volume with room");
    checks.Expect(!Exists("long.out"), "the refused output is deleted");
}

} // namespace

int main(int argc, char** argv)
{
    Checks checks;
    if (argc == 3 && std::strcmp(argv[1], "--full-volume") == 0) {
        CheckFullVolume(checks, argv[2]);
    } else if (argc == 3 && std::strcmp(argv[1], "--writes-refused") == 0) {
        if (std::strcmp(argv[2], "prepare") == 0) {
            PrepareRefusedWrites();
            return 0;
        }
        CheckRefusedWrites(checks);
    } else {
        CheckRoundTrips(checks);
        CheckStatusCodes(checks);
    }
    return checks.Finish();
}
