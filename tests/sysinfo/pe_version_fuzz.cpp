// Fuzz target: any bytes as a file given to the PE version reader, and as a
// version resource given to the block reader.
#include "platform/file_reader.h"
#include "sysinfo/pe/version_info.h"
#include "sysinfo/pe/version_resource.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

class SpanFile final : public qx::platform::ReadableFile {
public:
    explicit SpanFile(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override
    {
        if (offset >= m_bytes.size()) return 0;
        const std::size_t n = std::min<std::uint64_t>(into.size(), m_bytes.size() - offset);
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, into.begin());
        return n;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    SpanFile file(bytes);
    if (const auto resource = qx::sysinfo::pe::ReadVersionResource(file)) {
        if (resource->empty() || resource->size() > 0xFFF0) std::abort();
        qx::sysinfo::pe::QueryFileVersion(*resource);
    }
    if (const auto version = qx::sysinfo::pe::QueryFileVersion(bytes)) {
        if (version->size() > size) std::abort();
    }
    return 0;
}
