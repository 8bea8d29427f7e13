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

std::int16_t CodeOf(MemberOutput output)
{
    switch (output) {
    case MemberOutput::Written: return QXCOMPRESS_EXTRACT_DONE;
    case MemberOutput::VolumeFull: return QXCOMPRESS_EXTRACT_VOLUME_FULL;
    case MemberOutput::Failed: break;
    }
    return QXCOMPRESS_EXTRACT_FAILED;
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
    if (!MayCreateOutput(output, archive)) return QXCOMPRESS_EXTRACT_FAILED;
    return CodeOf(ExtractMember(cache, archive, header, output));
}

void NotifyExtracted(WindowId window)
{
    if (WindowNotifier* notifier = CurrentWindowNotifier())
        notifier->Send(window, kExtractedMessage, kExtractedWParam, 0);
}

std::int16_t Extract(const char* archivePath, const char* destination)
{
    if (archivePath == nullptr) return QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN;
    ScopedHandle archive(OpenHandle(archivePath, HandleAccess::Read));
    if (archive.get() == kBadHandle) return QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN;
    ReadCache cache;
    if (!cache.Attach(archive.get())) return QXCOMPRESS_EXTRACT_FAILED;
    std::uint8_t lead = 0;
    cache.Read(archive.get(), &lead, 1);
    if (cache.Failed()) return QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE;
    MemberHeader header;
    cache.Read(archive.get(), header.bytes.data(), static_cast<std::uint32_t>(header.bytes.size()));
    WindowNotifier* notifier = CurrentWindowNotifier();
    const WindowId activeWindow = notifier != nullptr ? notifier->ActiveWindow() : kNoWindow;

    std::int16_t code = QXCOMPRESS_EXTRACT_DONE;
    if (header.GetMethod() != Method::None) {
        code = ExtractPacked(cache, archive.get(), header, destination);
        cache.Detach();
        archive.Close();
    } else {
        cache.Detach();
        archive.Close();
        if (destination != nullptr && !CopyPlainArchive(archivePath, destination)) code = QXCOMPRESS_EXTRACT_FAILED;
    }
    if (code == QXCOMPRESS_EXTRACT_DONE) NotifyExtracted(activeWindow);
    return code;
}

} // namespace
} // namespace qx::compress

extern "C" QXCOMPRESS_API int16_t QXCOMPRESS_CALL nfDecompacte(int32_t /*reserved1*/, int32_t /*reserved2*/,
                                                               const char* archivePath, const char* destination)
{
    return qx::compress::Extract(archivePath, destination);
}
