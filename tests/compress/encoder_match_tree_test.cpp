// The match tree against a brute-force search: at every position the match
// it reports is a real one inside the history, and no earlier string within
// 8191 bytes matches longer.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "compress/match_tree.h"
#include "support/archive_fixtures.h"
#include "support/test_seed.h"

namespace qx::compress {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Moves the tree over `data` the way the encoder does: the first 8448
// bytes, then the refills of AdvancePositions.
class TreeWalk final : public WindowSource {
public:
    explicit TreeWalk(const Bytes& data) : data_(data)
    {
        ok_ = AllocMatchTables(t_);
        if (!ok_) return;
        ResetTree(t_);
        t_.lookahead = Refill(t_.window + kHistoryBytes, kFirstReadBytes);
        t_.bestLen = 0;
        t_.cur = static_cast<std::uint16_t>(kHistoryBytes);
        AddPosition(t_);
    }
    ~TreeWalk() { FreeMatchTables(t_); }
    TreeWalk(const TreeWalk&) = delete;
    TreeWalk& operator=(const TreeWalk&) = delete;

    bool Ok() const { return ok_; }
    bool More() const { return t_.lookahead > 0; }
    std::size_t Position() const { return base_ + t_.cur - kHistoryBytes; }

    void Advance()
    {
        const std::uint32_t before = t_.cur;
        AdvancePositions(t_, 1, *this);
        if (t_.cur < before) base_ += kHistoryBytes; // the window moved
    }

    std::uint32_t Refill(std::uint8_t* to, std::uint32_t n) override
    {
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(n, data_.size() - fed_));
        std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(fed_), count, to);
        fed_ += count;
        return count;
    }

    // The longest match of the string at the current position with the
    // strings that start 1 to 8191 bytes before it (and not before the data).
    std::uint32_t BruteForceLength() const
    {
        std::uint32_t best = 0;
        const std::size_t back = std::min<std::size_t>(kHistoryBytes - 1, Position());
        const std::uint8_t* here = t_.window + t_.cur;
        for (std::size_t d = 1; d <= back; ++d) best = std::max(best, Common(here - d, here));
        return best;
    }

    const MatchTree& Tree() const { return t_; }

    static std::uint32_t Common(const std::uint8_t* a, const std::uint8_t* b)
    {
        std::uint32_t n = 0;
        while (n < kMaxMatchLength && a[n] == b[n]) ++n;
        return n;
    }

private:
    const Bytes& data_;
    MatchTree t_{};
    bool ok_ = false;
    std::size_t fed_ = 0;
    std::size_t base_ = 0;
};

void ExpectLongestMatches(const Bytes& data, std::size_t stride)
{
    TreeWalk walk(data);
    ASSERT_TRUE(walk.Ok());
    for (; walk.More(); walk.Advance()) {
        if (walk.Position() % stride != 0) continue;
        const MatchTree& t = walk.Tree();
        const std::uint32_t brute = walk.BruteForceLength();
        if (t.bestLen <= 1) {
            // No earlier string shares the first two bytes.
            ASSERT_LE(brute, 1u) << "at " << walk.Position();
            continue;
        }
        ASSERT_EQ(t.bestLen, brute) << "at " << walk.Position();
        ASSERT_LT(t.bestPos, t.cur);
        ASSERT_LE(t.cur - t.bestPos, kHistoryBytes - 1u) << "at " << walk.Position();
        ASSERT_LE(t.cur - t.bestPos, walk.Position());
        ASSERT_EQ(TreeWalk::Common(t.window + t.bestPos, t.window + t.cur), std::min(t.bestLen, kMaxMatchLength));
    }
}

Bytes SmallAlphabet(std::size_t size, unsigned letters, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    Bytes b(size);
    for (auto& c : b) c = static_cast<std::uint8_t>('a' + rng() % letters);
    return b;
}

TEST(EncoderMatchTree, TextAcrossWindowMoves)
{
    ExpectLongestMatches(test::ReportLikeText(30000, 3), 1);
}

TEST(EncoderMatchTree, SmallAlphabetsMakeDeepTrees)
{
    const std::uint32_t seed = test::TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    ExpectLongestMatches(SmallAlphabet(26000, 2, seed), 3);
    ExpectLongestMatches(SmallAlphabet(26000, 4, seed + 1), 3);
}

TEST(EncoderMatchTree, RunsAndRepeatsBeyondTheLongestMatch)
{
    Bytes data(600, 'x');
    const Bytes block = test::RandomBytes(700, 9);
    for (int i = 0; i < 16; ++i) data.insert(data.end(), block.begin(), block.end());
    data.insert(data.end(), 1500, 'y');
    ExpectLongestMatches(data, 1);
}

} // namespace
} // namespace qx::compress
