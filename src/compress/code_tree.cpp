#include "compress/code_tree.h"

namespace qx::compress {
namespace {

class TreeBuilder {
public:
    TreeBuilder(CodeTreeWork& work, unsigned n, std::uint16_t* freq, std::uint8_t* len, std::uint16_t* code)
        : w_(work), n_(n), freq_(freq), len_(len), code_(code)
    {
    }

    unsigned Build()
    {
        unsigned nextNode = n_;
        heapSize_ = 0;
        w_.heap[1] = 0;
        for (unsigned i = 0; i < n_; ++i) {
            len_[i] = 0;
            if (freq_[i] != 0) w_.heap[++heapSize_] = static_cast<std::uint16_t>(i);
        }
        if (heapSize_ < 2) {
            code_[w_.heap[1]] = 0;
            return w_.heap[1];
        }
        for (unsigned i = heapSize_ / 2; i >= 1; --i) SiftDown(i);

        // Leaves in the order they leave the heap, least frequent first.
        std::uint16_t* leaves = code_;
        unsigned k = 0;
        while (heapSize_ > 1) {
            const unsigned i = w_.heap[1];
            if (i < n_) *leaves++ = static_cast<std::uint16_t>(i);
            w_.heap[1] = w_.heap[heapSize_--];
            SiftDown(1);
            const unsigned j = w_.heap[1];
            if (j < n_) *leaves++ = static_cast<std::uint16_t>(j);
            k = nextNode++;
            freq_[k] = static_cast<std::uint16_t>(freq_[i] + freq_[j]);
            w_.heap[1] = static_cast<std::uint16_t>(k);
            SiftDown(1);
            w_.left[k] = static_cast<std::uint16_t>(i);
            w_.right[k] = static_cast<std::uint16_t>(j);
        }
        LimitCodeLengths(k);
        AssignCodes();
        return k;
    }

private:
    // On equal frequencies the left child is taken and the entry being
    // placed stays above its child.
    void SiftDown(unsigned i)
    {
        const unsigned k = w_.heap[i];
        unsigned j;
        while ((j = 2 * i) <= heapSize_) {
            if (j < heapSize_ && freq_[w_.heap[j]] > freq_[w_.heap[j + 1]]) ++j;
            if (freq_[k] <= freq_[w_.heap[j]]) break;
            w_.heap[i] = w_.heap[j];
            i = j;
        }
        w_.heap[i] = static_cast<std::uint16_t>(k);
    }

    void CountLeafDepths(unsigned node, unsigned depth)
    {
        if (node < n_) {
            ++w_.lengthCount[depth < kMaxCodeLength ? depth : kMaxCodeLength];
            return;
        }
        CountLeafDepths(w_.left[node], depth + 1);
        CountLeafDepths(w_.right[node], depth + 1);
    }

    // Leaves deeper than 16 are counted at 16; the counts are then moved
    // until the code space of 2^16 is filled exactly.
    void LimitCodeLengths(unsigned root)
    {
        for (auto& count : w_.lengthCount) count = 0;
        CountLeafDepths(root, 0);
        std::uint32_t cum = 0;
        for (unsigned i = 1; i <= kMaxCodeLength; ++i) cum += std::uint32_t{w_.lengthCount[i]} << (kMaxCodeLength - i);
        while (cum != (std::uint32_t{1} << kMaxCodeLength)) {
            --w_.lengthCount[kMaxCodeLength];
            for (unsigned i = kMaxCodeLength - 1; i >= 1; --i) {
                if (w_.lengthCount[i] != 0) {
                    --w_.lengthCount[i];
                    w_.lengthCount[i + 1] += 2;
                    break;
                }
            }
            --cum;
        }
        // The least frequent leaves, first in the list, get the longest codes.
        const std::uint16_t* leaf = code_;
        for (unsigned i = kMaxCodeLength; i >= 1; --i)
            for (unsigned c = w_.lengthCount[i]; c > 0; --c) len_[*leaf++] = static_cast<std::uint8_t>(i);
    }

    void AssignCodes()
    {
        std::uint32_t start[kMaxCodeLength + 2] = {};
        for (unsigned i = 1; i <= kMaxCodeLength; ++i) start[i + 1] = (start[i] + w_.lengthCount[i]) * 2;
        for (unsigned i = 0; i < n_; ++i) code_[i] = static_cast<std::uint16_t>(start[len_[i]]++);
    }

    CodeTreeWork& w_;
    const unsigned n_;
    std::uint16_t* const freq_;
    std::uint8_t* const len_;
    std::uint16_t* const code_;
    unsigned heapSize_ = 0;
};

} // namespace

unsigned BuildCodeTree(CodeTreeWork& work, unsigned n, std::uint16_t* freq, std::uint8_t* len, std::uint16_t* code)
{
    return TreeBuilder(work, n, freq, len, code).Build();
}

} // namespace qx::compress
