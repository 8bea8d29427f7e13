// The Win32 file layer itself, under Wine: slot table limits, pieces and
// seeks, the two-second rule of file times, short paths, free space, file
// identities and the last error. Runs in an empty current directory.
#include <string>

#include "compress/platform/file_identity.h"
#include "compress/platform/file_slots.h"
#include "compress/platform/file_time.h"
#include "compress/platform/last_error.h"
#include "compress/platform/short_path.h"
#include "compress/platform/volume.h"
#include "compress/platform/win32/windows_api.h"
#include "wine_test_support.h"

namespace qx::compress {
namespace {

using wine_test::Checks;

long long SizeOf(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    return data.nFileSizeLow;
}

void CheckSlotTable(Checks& checks)
{
    wine_test::WriteFile("a.txt", "abc");
    FileSlot slots[kSlotCapacity];
    int opened = 0;
    for (FileSlot& slot : slots) opened += OpenSlot("a.txt", kSourceOpenFlags, slot);
    checks.ExpectEq(opened, kSlotCapacity, "1024 slots open at once");
    checks.ExpectEq(slots[0], kFirstSlot, "the first slot is number 2");
    FileSlot extra = 0;
    checks.Expect(!OpenSlot("a.txt", kSourceOpenFlags, extra) && extra == kNoSlot, "the 1025th open fails");
    for (FileSlot bad : {FileSlot{0}, FileSlot{1}, FileSlot{1026}})
        checks.Expect(!CloseSlot(bad) && LastFileError() == kErrorInvalidHandle,
                      "closing slot " + std::to_string(bad) + " fails");
    checks.ExpectEq(SlotsInUse(), kSlotCapacity, "failed closes change nothing");
    int closed = 0;
    for (FileSlot slot : slots) closed += CloseSlot(slot);
    checks.ExpectEq(closed, kSlotCapacity, "every slot closes");
    checks.Expect(!OpenSlot("missing.txt", kSourceOpenFlags, extra) && LastFileError() == ERROR_FILE_NOT_FOUND,
                  "a missing file leaves ERROR_FILE_NOT_FOUND");
    checks.Expect(!DeleteFileByName("missing.txt") && LastFileError() == ERROR_FILE_NOT_FOUND,
                  "deleting a missing file leaves ERROR_FILE_NOT_FOUND");
}

void CheckWritesAndSeeks(Checks& checks)
{
    ScopedSlot file;
    checks.Expect(file.Open("w.bin", kArchiveCreateFlags | kOpenRead), "a file is created");
    const std::string data(10000, 'w');
    checks.Expect(WriteSlot(file.get(), data.data(), 10000), "10000 bytes are written in pieces");
    std::uint32_t position = 0;
    checks.Expect(SeekSlot(file.get(), 0, SeekOrigin::End, &position) && position == 10000, "the end is at 10000");
    checks.Expect(!SeekSlot(file.get(), 0, static_cast<SeekOrigin>(3), &position), "origin 3 fails");
    checks.Expect(SeekSlot(file.get(), 0, SeekOrigin::Current, &position) && position == 10000,
                  "a failed seek leaves the position");
    checks.Expect(!SeekSlot(file.get(), -20000, SeekOrigin::Current, nullptr), "a seek before the start fails");
    checks.Expect(TruncateSlot(file.get(), 4000), "the file is cut");
    checks.Expect(SeekSlot(file.get(), 0, SeekOrigin::Begin, nullptr), "back to the start");
    char buffer[8000];
    std::uint32_t count = 0;
    checks.Expect(ReadSlot(file.get(), buffer, sizeof buffer, &count) && count == 4000, "4000 bytes are left");
    checks.Expect(!ReadSlot(file.get(), buffer, 1, nullptr), "a read without count wants every byte");
    file.Close();
    checks.ExpectEq(SizeOf("w.bin"), 4000, "the cut file's size");
}

void CheckTimes(Checks& checks)
{
    ScopedSlot file;
    file.Open("t.bin", kArchiveCreateFlags);
    const FileStamp odd{2024, 5, 6, 14, 3, 59};
    checks.Expect(SetSlotTime(file.get(), odd), "a time is set");
    const auto read = GetSlotTime(file.get());
    checks.Expect(read && *read == FileStamp{2024, 5, 6, 14, 3, 58}, "14:03:59 is kept as 14:03:58");
    checks.Expect(SetSlotTime(file.get(), FileStamp{-1, 0, 0, -1, 0, 0}), "keeping date and time succeeds");
    const FileStamp dateOnly{2001, 2, 3, -1, 0, 0};
    checks.Expect(SetSlotTime(file.get(), dateOnly), "a date alone is set");
    const auto after = GetSlotTime(file.get());
    checks.Expect(after && *after == FileStamp{2001, 2, 3, 14, 3, 58}, "the time of day stays");
    checks.Expect(!SetSlotTime(file.get(), FileStamp{1979, 12, 31, 0, 0, 0}), "1979 does not fit");
}

void CheckShortPaths(Checks& checks)
{
    std::string out = "x";
    checks.Expect(BuildShortPath("C:", out, 260) == 3 && out == "C:\\", "the bare drive C: is C:\\");
    checks.Expect(BuildShortPath("C:\\no such folder\\x", out, 260) == 0 && out.empty(), "a missing path gives 0");
    CreateDirectoryA("Dossier au nom long", nullptr);
    char full[MAX_PATH];
    GetFullPathNameA("Dossier au nom long", MAX_PATH, full, nullptr);
    const std::size_t length = BuildShortPath(full, out, 260);
    checks.Expect(length == out.size() && length > 0 && out.find(' ') == std::string::npos &&
                      out.find('~') != std::string::npos,
                  "a long folder name is shortened: " + out);
    checks.Expect(BuildShortPath(full, out, 5) == 0 && out.empty(), "a short form longer than allowed gives 0");
}

void CheckVolumesAndIdentities(Checks& checks)
{
    const auto free = GetFreeDiskBytes("C:\\windows");
    checks.Expect(free && *free > 0, "drive C: has free bytes");
    checks.Expect(!GetFreeDiskBytes("1:\\x"), "a digit is no drive");
    checks.Expect(!GetFreeDiskBytes(""), "an empty path has no volume");
    wine_test::WriteFile("b.txt", "b");
    const auto a = IdentifyPath("a.txt");
    checks.Expect(a && a == IdentifyPath("A.TXT"), "one file under two names");
    checks.Expect(a != IdentifyPath("b.txt"), "two files");
    checks.Expect(!IdentifyPath("missing.txt"), "a missing file has no identity");
}

} // namespace
} // namespace qx::compress

int main()
{
    using namespace qx::compress;
    qx::wine_test::Checks checks;
    const SlotTableReference table;
    checks.Expect(table.Held(), "the slot table exists");
    CheckSlotTable(checks);
    CheckWritesAndSeeks(checks);
    CheckTimes(checks);
    CheckShortPaths(checks);
    CheckVolumesAndIdentities(checks);
    return checks.Finish();
}
