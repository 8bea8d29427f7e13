#include "compress/write_member.h"

#include <array>

#include "compress/lh5_encoder.h"

namespace qx::compress {
namespace {

constexpr std::uint32_t kCopyPiece = 8192;

// Frees the block buffer on every way out of WriteMember.
class BlockBufferRelease {
public:
    explicit BlockBufferRelease(BlockEncoder& blocks) : blocks_(blocks) {}
    ~BlockBufferRelease() { FreeBlockBuffer(blocks_); }
    BlockBufferRelease(const BlockBufferRelease&) = delete;
    BlockBufferRelease& operator=(const BlockBufferRelease&) = delete;

private:
    BlockEncoder& blocks_;
};

bool WriteHeader(FileSlot archive, const MemberHeader& header)
{
    const std::uint8_t lead = kLeadByte;
    return WriteSlot(archive, &lead, 1) && WriteSlot(archive, header.bytes.data(), kHeaderSize);
}

bool SeekArchive(FileSlot archive, std::uint32_t position)
{
    return SeekSlot(archive, static_cast<std::int32_t>(position), SeekOrigin::Begin, nullptr);
}

// The source's bytes into the archive, from both current positions. Only
// the first read has the "M" rule; a later failed read ends the copy.
void CopySource(CompressJob& job)
{
    std::array<std::uint8_t, kCopyPiece> piece;
    std::uint32_t n = ReadSource(job, piece.data(), kCopyPiece);
    while (n > 0) {
        // Reading on after a failed write could go on for ever (a source
        // without end onto a full volume).
        if (!WriteSlot(job.archiveSlot, piece.data(), n)) {
            job.output.writeFailed = true;
            return;
        }
        if (!ReadSlot(job.sourceSlot, piece.data(), kCopyPiece, &n)) n = 0;
    }
}

// Replaces the member written so far by a plain copy of the source.
void WritePlainCopy(CompressJob& job, std::uint32_t memberStart)
{
    bool& failed = job.output.writeFailed;
    if (!SeekSlot(job.sourceSlot, 0, SeekOrigin::Begin, nullptr)) {
        // The source cannot be read again: the provisional header (sizes 0)
        // must not stay, or the archive would look packed and extract to
        // nothing. What remains is the member's start, cut there.
        TruncateSlot(job.archiveSlot, memberStart);
        failed = true;
        return;
    }
    if (!SeekArchive(job.archiveSlot, memberStart)) {
        failed = true;
        return;
    }
    CopySource(job);
    std::uint32_t end = 0;
    if (!SeekSlot(job.archiveSlot, 0, SeekOrigin::Current, &end) || !TruncateSlot(job.archiveSlot, end))
        failed = true;
}

// Rewrites the header with the final sizes and appends the trailer.
void FinishPackedMember(CompressJob& job, MemberHeader& header, std::uint32_t memberStart)
{
    bool& failed = job.output.writeFailed;
    header.SetPackedSize(job.output.bytesWritten);
    header.SetSourceSize(job.output.bytesRead);
    if (!SeekArchive(job.archiveSlot, memberStart) || !WriteHeader(job.archiveSlot, header)) failed = true;
    const std::array<std::uint8_t, kTrailerSize> trailer{};
    if (!SeekSlot(job.archiveSlot, 0, SeekOrigin::End, nullptr) ||
        !WriteSlot(job.archiveSlot, trailer.data(), kTrailerSize))
        failed = true;
}

} // namespace

MemberResult WriteMember(CompressJob& job, MemberHeader& header)
{
    // The buffer is taken before anything is written, so that a call that
    // cannot have it leaves the archive as it found it.
    if (!AllocBlockBuffer(job.blocks)) return MemberResult::NoBlockBuffer;
    const BlockBufferRelease release(job.blocks);

    std::uint32_t memberStart = 0;
    if (!SeekSlot(job.archiveSlot, 0, SeekOrigin::Current, &memberStart)) return MemberResult::WriteFailed;
    header.SetMethod(Method::Lh5);
    if (!WriteHeader(job.archiveSlot, header)) return MemberResult::WriteFailed;

    BitWriter& out = job.output;
    out.bytesRead = 0;
    out.bytesWritten = 0;
    out.unpackable = false;
    out.writeFailed = false;
    out.cache.Attach(job.archiveSlot);
    Encode(job);
    if (!out.cache.Flush()) out.writeFailed = true;

    if (out.unpackable)
        WritePlainCopy(job, memberStart);
    else
        FinishPackedMember(job, header, memberStart);
    return out.writeFailed ? MemberResult::WriteFailed : MemberResult::Written;
}

} // namespace qx::compress
