// lfTailleCompacte: the size an archive declares, read without a cache.
#include "qxcompress.h"

#include <array>

#include "compress/archive_format.h"
#include "compress/platform/handle_file.h"

namespace qx::compress {
namespace {

constexpr std::int32_t kCannotOpen = -1;
constexpr std::int32_t kNotAnArchive = -2;

// Closes the handle on every path out of the query.
class HandleCloser {
public:
    explicit HandleCloser(FileHandle handle) : handle_(handle) {}
    ~HandleCloser() { CloseHandle(handle_); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    FileHandle handle_;
};

std::int32_t TaggedSizeOf(const char* path)
{
    const FileHandle handle = OpenHandle(path, HandleAccess::Read);
    if (handle == kBadHandle) return kNotAnArchive;
    HandleCloser closer(handle);
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
        const FileHandle handle = OpenHandle(path, HandleAccess::Read);
        if (handle == kBadHandle) return kCannotOpen;
        HandleCloser closer(handle);
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
