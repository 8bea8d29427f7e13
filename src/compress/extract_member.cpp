#include "compress/extract_member.h"

#include <algorithm>

#include "compress/bit_reader.h"
#include "compress/decode_tables.h"
#include "compress/lh5_decoder.h"
#include "compress/output_cache.h"
#include "compress/platform/file_slots.h"
#include "compress/platform/last_error.h"
#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

// The error a failed write left, never 0: a write that failed without
// saying why still failed.
ErrorCode WriteError()
{
    return LastFileError() != kErrorNone ? LastFileError() : kErrorWriteFault;
}

// Produces the member's bytes piece by piece into the 8192-byte buffer.
class MemberSource {
public:
    MemberSource(ReadCache& cache, FileHandle archive, const MemberHeader& header, DecodeTables& tables)
        : cache_(cache), archive_(archive), method_(header.GetMethod()), bits_(cache, PackedBits(header)),
          decoder_(bits_, tables)
    {
    }

    // kErrorNone, or why the piece could not be produced.
    ErrorCode Produce(std::uint32_t n, std::uint8_t* buffer)
    {
        if (method_ == Method::Lh0) {
            if (cache_.Read(archive_, buffer, n) == n) return kErrorNone;
            return cache_.Failed() ? cache_.Error() : kErrorHandleEof;
        }
        const bool decoded = decoder_.DecodeBytes(n, buffer);
        // Data cut short is reported as such even where it made the
        // stream look corrupt.
        if (bits_.Error() != kErrorNone) return bits_.Error();
        return decoded ? kErrorNone : kErrorInvalidData;
    }

private:
    // A stored member has no bit stream; its reader is given nothing to read.
    static std::uint32_t PackedBits(const MemberHeader& header)
    {
        return header.GetMethod() == Method::Lh5 ? header.PackedSize() : 0;
    }

    ReadCache& cache_;
    FileHandle archive_;
    Method method_;
    BitReader bits_;
    Lh5Decoder decoder_;
};

ErrorCode WriteOutput(ReadCache& cache, FileHandle archive, const MemberHeader& header, FileHandle output,
                         OutputCache& outputCache, std::uint8_t* buffer, DecodeTables& tables)
{
    MemberSource source(cache, archive, header, tables);
    std::uint32_t remaining = header.SourceSize();
    ErrorCode result = kErrorNone;
    while (remaining > 0 && result == kErrorNone) {
        const std::uint32_t n = std::min(remaining, kDictionarySize);
        result = source.Produce(n, buffer);
        if (result == kErrorNone && !outputCache.Write(output, buffer, n)) result = WriteError();
        remaining -= n;
    }
    if (!outputCache.Flush() && result == kErrorNone) result = WriteError();
    return result;
}

MemberOutput OutputOf(ErrorCode error)
{
    if (error == kErrorNone) return MemberOutput::Written;
    return IsDiskFull(error) ? MemberOutput::VolumeFull : MemberOutput::Failed;
}

} // namespace

MemberOutput ExtractMember(ReadCache& cache, FileHandle archive, const MemberHeader& header,
                           const std::string& outputPath)
{
    const auto buffer = AllocBlockArray<std::uint8_t>(kDictionarySize);
    const auto tables = AllocBlockOf<DecodeTables>();
    OutputCache outputCache;
    MemberOutput result = MemberOutput::Failed;
    if (buffer && tables) {
        ScopedHandle created(CreateHandle(outputPath.c_str()));
        if (created.get() != kBadHandle && outputCache.Attach(created.get())) {
            ErrorCode error = WriteOutput(cache, archive, header, created.get(), outputCache, buffer.get(), *tables);
            if (!created.Close() && error == kErrorNone) error = WriteError();
            result = OutputOf(error);
            if (result != MemberOutput::Written) DeleteFileByName(outputPath.c_str());
        } else if (created.get() != kBadHandle) {
            created.Close();
            DeleteFileByName(outputPath.c_str());
        }
    }
    cache.Detach();
    return result;
}

} // namespace qx::compress
