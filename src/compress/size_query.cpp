// lfTailleCompacte: the size an archive declares, read without a cache.
#include "qxcompress.h"

#include <array>

#include "compress/archive_format.h"
#include "compress/platform/handle_file.h"

namespace qx::compress {
namespace {

constexpr std::int32_t kCannotOpen = -1;
constexpr std::int32_t kNotAnArchive = -2;

std::int32_t TaggedSizeOf(const char* path)
{
    const ScopedHandle file(OpenHandle(path, HandleAccess::Read));
    const FileHandle handle = file.get();
    if (handle == kBadHandle) return kNotAnArchive;
    std::array<std::uint8_t, kTagSignature.size() + kTagTailSize> bytes{};
    const std::uint32_t got = ReadHandle(handle, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (got == kHandleError) return kNotAnArchive;
    const std::uint32_t size = TaggedFileSize(bytes.data(), got);
    return size == 0 ? kNotAnArchive : static_cast<std::int32_t>(size);
}

std::int32_t SizeQuery(const char* path)
{
    if (path == nullptr) return kCannotOpen;
    {
        const ScopedHandle file(OpenHandle(path, HandleAccess::Read));
        const FileHandle handle = file.get();
        if (handle == kBadHandle) return kCannotOpen;
        std::uint8_t lead = 0;
        if (ReadHandle(handle, &lead, 1) == kHandleError) return kNotAnArchive;
        MemberHeader header;
        // A failed or short read leaves the header zero: no method.
        ReadHandle(handle, header.bytes.data(), static_cast<std::uint32_t>(header.bytes.size()));
        if (header.GetMethod() != Method::None)
            return static_cast<std::int32_t>(PackedArchiveLength(header.PackedSize()));
    }
    return TaggedSizeOf(path);
}

} // namespace
} // namespace qx::compress

extern "C" QXCOMPRESS_API int32_t QXCOMPRESS_CALL lfTailleCompacte(int32_t /*reserved*/, const char* path)
{
    return qx::compress::SizeQuery(path);
}
