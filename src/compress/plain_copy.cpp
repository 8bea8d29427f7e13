#include "compress/plain_copy.h"

#include <cstdint>

#include "compress/platform/handle_file.h"
#include "compress/platform/memory_block.h"
#include "text/ascii_case.h"

namespace qx::compress {
namespace {

constexpr std::uint32_t kPieceSize = 16000;

} // namespace

bool CopyPlainArchive(const char* archivePath, const char* destination)
{
    if (text::EqualIgnoringAsciiCase(archivePath, destination)) return true;
    const ScopedHandle source(OpenHandle(archivePath, HandleAccess::Read));
    if (source.get() == kBadHandle) return false;
    const ScopedHandle target(OpenHandle(destination, HandleAccess::Write));
    if (target.get() == kBadHandle) return false;
    const auto piece = AllocBlockArray<std::uint8_t>(kPieceSize);
    if (!piece) return false;
    std::uint32_t copied = 0;
    for (;;) {
        const auto got = ReadHandle(source.get(), piece.get(), kPieceSize);
        if (!got) return false;
        if (*got == 0) break;
        if (!WriteHandle(target.get(), piece.get(), *got)) return false;
        copied += *got;
    }
    // An older, longer destination must not keep its tail.
    return TruncateHandle(target.get(), copied);
}

} // namespace qx::compress
