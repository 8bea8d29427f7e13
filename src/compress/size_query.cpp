// lfTailleCompacte and llTailleSource: the sizes an archive declares, read
// without a cache.
#include "qxcompress.h"

#include <array>

#include "compress/archive_format.h"
#include "compress/platform/handle_file.h"

namespace qx::compress {
namespace {

std::int32_t TaggedSizeOf(const char* path)
{
    const ScopedHandle file(OpenHandle(path, HandleAccess::Read));
    const FileHandle handle = file.get();
    if (handle == kBadHandle) return QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
    std::array<std::uint8_t, kTagSignature.size() + kTagTailSize> bytes{};
    const auto got = ReadHandle(handle, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (!got) return QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
    const std::uint32_t size = TaggedFileSize(bytes.data(), *got);
    return size == 0 ? QXCOMPRESS_SIZE_NOT_AN_ARCHIVE : static_cast<std::int32_t>(size);
}

enum class HeaderRead { Read, CannotOpen, FirstByteUnreadable };

// Reads the header block after the lead byte into `header`, and closes the file.
HeaderRead ReadHeader(const char* path, MemberHeader& header)
{
    if (path == nullptr) return HeaderRead::CannotOpen;
    const ScopedHandle file(OpenHandle(path, HandleAccess::Read));
    const FileHandle handle = file.get();
    if (handle == kBadHandle) return HeaderRead::CannotOpen;
    std::uint8_t lead = 0;
    if (!ReadHandle(handle, &lead, 1)) return HeaderRead::FirstByteUnreadable;
    // A failed or short read leaves the header zero: no method.
    ReadHandle(handle, header.bytes.data(), static_cast<std::uint32_t>(header.bytes.size()));
    return HeaderRead::Read;
}

// The code of both queries for a header that was not read.
std::int32_t CodeOf(HeaderRead failure)
{
    return failure == HeaderRead::CannotOpen ? QXCOMPRESS_SIZE_CANNOT_OPEN : QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
}

std::int32_t SizeQuery(const char* path)
{
    MemberHeader header;
    const HeaderRead read = ReadHeader(path, header);
    if (read != HeaderRead::Read) return CodeOf(read);
    if (header.GetMethod() != Method::None) return static_cast<std::int32_t>(PackedArchiveLength(header.PackedSize()));
    return TaggedSizeOf(path);
}

// Only libqxcompress exports it: the DLL has exactly its three functions.
#if !defined(_WIN32)
std::int64_t SourceSizeQuery(const char* path)
{
    MemberHeader header;
    const HeaderRead read = ReadHeader(path, header);
    if (read != HeaderRead::Read) return CodeOf(read);
    if (header.GetMethod() == Method::None) return QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
    return header.SourceSize();
}
#endif

} // namespace
} // namespace qx::compress

extern "C" QXCOMPRESS_API int32_t QXCOMPRESS_CALL lfTailleCompacte(int32_t /*reserved*/, const char* path)
{
    return qx::compress::SizeQuery(path);
}

#if !defined(_WIN32)
extern "C" QXCOMPRESS_API int64_t QXCOMPRESS_CALL llTailleSource(const char* path)
{
    return qx::compress::SourceSizeQuery(path);
}
#endif
