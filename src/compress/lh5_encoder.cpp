#include "compress/lh5_encoder.h"

#include "compress/platform/last_error.h"

namespace qx::compress {
namespace {

constexpr std::uint8_t kRefusedByte = 'M';
constexpr unsigned kMatchSymbolBias = kFirstMatchSymbol - kMinMatchLength; // 253
constexpr unsigned kDistanceMask = kHistoryBytes - 1;

inline void ClipToLookahead(MatchTree& t)
{
    if (t.bestLen > t.lookahead) t.bestLen = t.lookahead;
}

// The window's refills, counted as bytes read for the packing rule.
class SourceRefill final : public WindowSource {
public:
    explicit SourceRefill(CompressJob& job) : job_(job) {}

    std::uint32_t Refill(std::uint8_t* destination, std::uint32_t n) override
    {
        const std::uint32_t count = ReadSource(job_, destination, n);
        job_.output.bytesRead += count;
        return count;
    }

private:
    CompressJob& job_;
};

} // namespace

std::uint32_t ReadSource(CompressJob& job, std::uint8_t* destination, std::uint32_t n)
{
    std::uint32_t count = 0;
    if (ReadSlot(job.sourceSlot, destination, n, &count)) return count;
    const ErrorCode error = LastFileError();
    if (error != kErrorAccessDenied && error != kErrorLockViolation) return 0;
    destination[0] = kRefusedByte;
    SeekSlot(job.sourceSlot, 1, SeekOrigin::Current, nullptr);
    std::uint32_t rest = 0;
    if (!ReadSlot(job.sourceSlot, destination + 1, n - 1, &rest)) rest = 0;
    if (rest == 0) {
        destination[0] = 0;
        return 0;
    }
    return rest + 1;
}

void Encode(CompressJob& job)
{
    MatchTree& t = job.tree;
    BlockEncoder& blocks = job.blocks;
    BitWriter& out = job.output;
    SourceRefill refill(job);

    ResetTree(t);
    StartBlocks(blocks, out);
    t.lookahead = ReadSource(job, t.window + kHistoryBytes, kFirstReadBytes);
    out.bytesRead += t.lookahead;
    t.bestLen = 0;
    t.cur = static_cast<std::uint16_t>(kHistoryBytes);
    AddPosition(t);
    ClipToLookahead(t);

    while (t.lookahead > 0 && !out.unpackable) {
        const std::uint32_t lastLen = t.bestLen;
        const std::uint32_t lastPos = t.bestPos;
        AdvancePositions(t, 1, refill);
        ClipToLookahead(t);
        if (t.bestLen > lastLen || lastLen < kMinMatchLength) {
            OutputItem(blocks, out, t.window[t.cur - 1], 0);
        } else {
            OutputItem(blocks, out, lastLen + kMatchSymbolBias, (t.cur - lastPos - 2) & kDistanceMask);
            AdvancePositions(t, lastLen - 1, refill);
            ClipToLookahead(t);
        }
    }
    FinishBlocks(blocks, out);
}

} // namespace qx::compress
