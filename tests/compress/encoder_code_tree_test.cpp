// Huffman code lengths and canonical codes of one block.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "compress/code_tree.h"

namespace qx::compress {
namespace {

struct Built {
    unsigned root = 0;
    std::vector<std::uint8_t> len;
    std::vector<std::uint16_t> code;
};

Built Build(const std::vector<std::uint16_t>& freqs)
{
    const auto n = static_cast<unsigned>(freqs.size());
    std::vector<std::uint16_t> freq(freqs);
    freq.resize(2 * n - 1, 0);
    Built built;
    built.len.assign(n, 0xEE);
    built.code.assign(n, 0xEEEE);
    CodeTreeWork work{};
    built.root = BuildCodeTree(work, n, freq.data(), built.len.data(), built.code.data());
    return built;
}

std::uint32_t Kraft(const std::vector<std::uint8_t>& len)
{
    std::uint32_t sum = 0;
    for (auto l : len)
        if (l != 0) sum += 1u << (16 - l);
    return sum;
}

TEST(EncoderCodeTree, HandWorkedExample)
{
    // Leaves leave the heap in the order 1, 4, 2, 3, 0; the tree gives
    // symbol 0 depth 1 and the others depth 3, and the lengths go out
    // longest first along that order.
    const Built b = Build({5, 1, 1, 2, 1});
    EXPECT_EQ(b.root, 8u);
    EXPECT_EQ(b.len, (std::vector<std::uint8_t>{1, 3, 3, 3, 3}));
    EXPECT_EQ(b.code, (std::vector<std::uint16_t>{0b0, 0b100, 0b101, 0b110, 0b111}));
}

TEST(EncoderCodeTree, EqualFrequenciesKeepSymbolOrder)
{
    const Built b = Build({0, 3, 0, 3, 3, 3});
    EXPECT_EQ(b.len, (std::vector<std::uint8_t>{0, 2, 0, 2, 2, 2}));
    EXPECT_EQ(b.code[1], 0u);
    EXPECT_EQ(b.code[3], 1u);
    EXPECT_EQ(b.code[4], 2u);
    EXPECT_EQ(b.code[5], 3u);
}

TEST(EncoderCodeTree, OneOrNoSymbolGivesNoLengths)
{
    const Built one = Build({0, 0, 7, 0});
    EXPECT_EQ(one.root, 2u);
    EXPECT_EQ(one.len, (std::vector<std::uint8_t>(4, 0)));
    EXPECT_EQ(one.code[2], 0u);
    const Built none = Build({0, 0, 0});
    EXPECT_EQ(none.root, 0u);
    EXPECT_EQ(none.len, (std::vector<std::uint8_t>(3, 0)));
}

TEST(EncoderCodeTree, DeepTreesAreCutTo16BitsAndFillTheCodeSpace)
{
    // Fibonacci frequencies make a tree 21 levels deep; 22 of them still
    // sum to less than 2^16, as the items of a block do.
    std::vector<std::uint16_t> freqs{1, 1};
    while (freqs.size() < 22) freqs.push_back(static_cast<std::uint16_t>(freqs[freqs.size() - 1] + freqs[freqs.size() - 2]));
    const Built b = Build(freqs);
    EXPECT_EQ(*std::max_element(b.len.begin(), b.len.end()), 16);
    EXPECT_EQ(Kraft(b.len), 1u << 16);
    for (std::size_t i = 1; i < freqs.size(); ++i) EXPECT_LE(b.len[i], b.len[i - 1]) << "more frequent, not longer";
}

TEST(EncoderCodeTree, CodesArePrefixFreeAndCanonical)
{
    const std::vector<std::uint16_t> freqs{9, 0, 4, 4, 1, 30, 2, 2, 0, 11, 1, 1, 6};
    const Built b = Build(freqs);
    EXPECT_EQ(Kraft(b.len), 1u << 16);
    for (std::size_t i = 0; i < freqs.size(); ++i) {
        EXPECT_EQ(b.len[i] == 0, freqs[i] == 0);
        for (std::size_t j = i + 1; j < freqs.size(); ++j) {
            if (b.len[i] == 0 || b.len[j] == 0) continue;
            // Left-aligned to 16 bits, the codes grow with (length, symbol)
            // and the interval of one never reaches into the next.
            const std::uint32_t ci = std::uint32_t{b.code[i]} << (16 - b.len[i]);
            const std::uint32_t cj = std::uint32_t{b.code[j]} << (16 - b.len[j]);
            EXPECT_EQ(b.len[i] <= b.len[j], ci < cj) << i << " " << j;
            if (ci < cj)
                EXPECT_LE(ci + (1u << (16 - b.len[i])), cj);
            else
                EXPECT_LE(cj + (1u << (16 - b.len[j])), ci);
        }
    }
}

} // namespace
} // namespace qx::compress
