// lfTailleCompacte and llTailleSource: the sizes an archive declares, read
// without a cache, from one open of the file.
#include "qxcompress.h"

#include <array>
#include <cstdint>
#include <limits>

#include "compress/archive_format.h"
#include "compress/platform/handle_file.h"

namespace qx::compress {
namespace {

// The first bytes of a file: the lead byte and the header block, which also
// cover the signature and size of a tagged file.
struct FileStart {
    std::array<std::uint8_t, kDataOffset> bytes{};
    std::uint32_t count = 0;

    MemberHeader Header() const
    {
        MemberHeader header;
        std::copy_n(bytes.begin() + kHeaderOffset, kHeaderSize, header.bytes.begin());
        return header;
    }
};
static_assert(kDataOffset >= kTagSignature.size() + kTagTailSize);

enum class StartRead { Read, CannotOpen, FirstByteUnreadable };

// Reads the start of `path` into `start`. A failed or short read after the
// lead byte leaves the rest zero: no method.
StartRead ReadStart(const char* path, FileStart& start)
{
    if (path == nullptr) return StartRead::CannotOpen;
    const ScopedHandle file(OpenHandle(path, HandleAccess::Read));
    if (file.get() == kBadHandle) return StartRead::CannotOpen;
    const auto lead = ReadHandle(file.get(), start.bytes.data(), 1);
    if (!lead) return StartRead::FirstByteUnreadable;
    start.count = *lead;
    if (*lead == 1) start.count += ReadHandle(file.get(), start.bytes.data() + 1, kHeaderSize).value_or(0);
    return StartRead::Read;
}

// The code of both queries for a start that was not read.
std::int32_t CodeOf(StartRead failure)
{
    return failure == StartRead::CannotOpen ? QXCOMPRESS_SIZE_CANNOT_OPEN : QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
}

// A length is never wrapped: one beyond 31 bits has a code of its own.
std::int32_t AsLength(std::int64_t length)
{
    return length > std::numeric_limits<std::int32_t>::max() ? QXCOMPRESS_SIZE_TOO_LARGE
                                                             : static_cast<std::int32_t>(length);
}

std::int32_t SizeQuery(const char* path)
{
    FileStart start;
    const StartRead read = ReadStart(path, start);
    if (read != StartRead::Read) return CodeOf(read);
    const MemberHeader header = start.Header();
    if (header.GetMethod() != Method::None) return AsLength(PackedArchiveLength(header.PackedSize()));
    const std::uint32_t tagged = TaggedFileSize(start.bytes.data(), start.count);
    return tagged == 0 ? QXCOMPRESS_SIZE_NOT_AN_ARCHIVE : AsLength(tagged);
}

// Only libqxcompress exports it: the DLL has exactly its three functions.
#if !defined(_WIN32)
std::int64_t SourceSizeQuery(const char* path)
{
    FileStart start;
    const StartRead read = ReadStart(path, start);
    if (read != StartRead::Read) return CodeOf(read);
    const MemberHeader header = start.Header();
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
