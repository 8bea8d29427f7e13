// nfDecompacte: extracts the one member of an archive.
#include "qxcompress.h"

#include <string>

#include "compress/archive_format.h"
#include "compress/extract_member.h"
#include "compress/output_path.h"
#include "compress/plain_copy.h"
#include "compress/platform/file_identity.h"
#include "compress/platform/handle_file.h"
#include "compress/platform/last_error.h"
#include "compress/platform/window_notifier.h"
#include "compress/read_cache.h"

namespace qx::compress {
namespace {

enum ExtractCode : std::int16_t {
    kExtracted = 0,
    kArchiveCannotOpen = 1,
    kExtractFailed = 2,
    kFirstByteUnreadable = 4,
    kOutputVolumeFull = 7,
};

std::int16_t CodeOfMemberResult(std::int32_t result)
{
    if (result == 0) return kExtracted;
    if (IsDiskFull(static_cast<ErrorCode>(result))) return kOutputVolumeFull;
    return kExtractFailed;
}

// The output of a packed archive may be created only where it is safe: a
// path that fits, a file name that is one, and not the archive itself,
// which creating the output would empty.
bool MayCreateOutput(const std::string& path, FileHandle archive)
{
    if (!IsSafeOutputPath(path)) return false;
    const auto output = IdentifyPath(path.c_str());
    return !output || output != IdentifyHandle(archive);
}

std::int16_t ExtractPacked(ReadCache& cache, FileHandle archive, const MemberHeader& header, const char* destination)
{
    const std::string stored = header.Name();
    const std::string output = destination == nullptr ? stored : BuildOutputPath(destination, stored);
    if (!MayCreateOutput(output, archive)) return kExtractFailed;
    return CodeOfMemberResult(ExtractMember(cache, archive, header, output));
}

void NotifyExtracted(WindowId window)
{
    if (WindowNotifier* notifier = CurrentWindowNotifier())
        notifier->Send(window, kExtractedMessage, kExtractedWParam, 0);
}

std::int16_t Extract(const char* archivePath, const char* destination)
{
    if (archivePath == nullptr) return kArchiveCannotOpen;
    ScopedHandle archive(OpenHandle(archivePath, HandleAccess::Read));
    if (archive.get() == kBadHandle) return kArchiveCannotOpen;
    ReadCache cache;
    if (!cache.Attach(archive.get())) return kExtractFailed;
    std::uint8_t lead = 0;
    cache.Read(archive.get(), &lead, 1);
    if (cache.Failed()) return kFirstByteUnreadable;
    MemberHeader header;
    cache.Read(archive.get(), header.bytes.data(), static_cast<std::uint32_t>(header.bytes.size()));
    WindowNotifier* notifier = CurrentWindowNotifier();
    const WindowId activeWindow = notifier != nullptr ? notifier->ActiveWindow() : kNoWindow;

    std::int16_t code = kExtracted;
    if (header.GetMethod() != Method::None) {
        code = ExtractPacked(cache, archive.get(), header, destination);
        cache.Detach();
        archive.Close();
    } else {
        cache.Detach();
        archive.Close();
        if (destination != nullptr && !CopyPlainArchive(archivePath, destination)) code = kExtractFailed;
    }
    if (code == kExtracted) NotifyExtracted(activeWindow);
    return code;
}

} // namespace
} // namespace qx::compress

extern "C" QXCOMPRESS_API int16_t QXCOMPRESS_CALL nfDecompacte(int32_t /*reserved1*/, int32_t /*reserved2*/,
                                                               const char* archivePath, const char* destination)
{
    return qx::compress::Extract(archivePath, destination);
}
