#include "compress/match_tree.h"

#include <bit>
#include <cstring>

#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

constexpr std::uint16_t kPositionMask = 0x7FFF;

inline std::uint32_t ListHead(std::uint32_t q, std::uint32_t c) { return kListHeads + q + 16 * c; }

// The child of q whose edge starts with byte c, or 0.
inline std::uint32_t FindChild(MatchTree& t, std::uint32_t q, std::uint32_t c)
{
    const std::uint16_t* const parent = t.parent;
    const std::uint16_t* const next = t.next;
    std::uint32_t r = next[ListHead(q, c)];
    t.parent[0] = static_cast<std::uint16_t>(q); // sentinel: the list ends at 0
    while (parent[r] != q) r = next[r];
    return r;
}

inline void AttachChild(MatchTree& t, std::uint32_t q, std::uint32_t c, std::uint32_t r)
{
    const std::uint32_t h = ListHead(q, c);
    const std::uint32_t first = t.next[h];
    t.next[h] = static_cast<std::uint16_t>(r);
    t.next[r] = static_cast<std::uint16_t>(first);
    t.prev[first] = static_cast<std::uint16_t>(r);
    t.prev[r] = static_cast<std::uint16_t>(h);
    t.parent[r] = static_cast<std::uint16_t>(q);
    ++t.fanout[q]; // wraps for 256 children; only the counts 1 and 2 are ever decided on
}

// Puts `replacement` where `old` sits in its sibling list, under old's parent.
inline void TakePlace(MatchTree& t, std::uint32_t old, std::uint32_t replacement)
{
    t.prev[replacement] = t.prev[old];
    t.next[t.prev[old]] = static_cast<std::uint16_t>(replacement);
    t.next[replacement] = t.next[old];
    t.prev[t.next[old]] = static_cast<std::uint16_t>(replacement);
    t.parent[replacement] = t.parent[old];
}

// The string at cur agrees with node `old` on bestLen bytes only: a new
// internal node of that depth takes old's place, with old and cur below it.
void SplitEdge(MatchTree& t, std::uint32_t old)
{
    const std::uint32_t node = t.freeNode;
    t.freeNode = t.next[node];
    t.fanout[node] = 0;
    TakePlace(t, old, node);
    t.depth[node] = static_cast<std::uint8_t>(t.bestLen);
    t.lastSeen[node] = t.cur;
    AttachChild(t, node, t.window[t.bestPos + t.bestLen], old);
    AttachChild(t, node, t.window[t.cur + t.bestLen], t.cur);
}

// Length of the common prefix of a and b, counted on from `length` and at
// most `limit`. Compares a word at a time; the bytes past `limit` that a
// word covers are read but never counted.
inline std::uint32_t MatchLength(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t length,
                                 std::uint32_t limit)
{
    while (length < limit) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + length, sizeof x);
        std::memcpy(&y, b + length, sizeof y);
        const std::uint64_t differ = x ^ y;
        if (differ != 0) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(differ)
                                                                       : std::countl_zero(differ);
            length += static_cast<std::uint32_t>(bit) / 8;
            return length < limit ? length : limit;
        }
        length += sizeof x;
    }
    return limit;
}

} // namespace

bool AllocMatchTables(MatchTree& tree)
{
    tree.window = static_cast<std::uint8_t*>(AllocBlock(kWindowBytes + kWindowSlack));
    tree.depth = static_cast<std::uint8_t*>(AllocBlock(kNodeCount));
    tree.fanout = static_cast<std::uint8_t*>(AllocBlock(kNodeCount));
    tree.lastSeen = static_cast<std::uint16_t*>(AllocBlock(kNodeCount * sizeof(std::uint16_t)));
    tree.parent = static_cast<std::uint16_t*>(AllocBlock(kLeafLimit * sizeof(std::uint16_t)));
    tree.prev = static_cast<std::uint16_t*>(AllocBlock(kLeafLimit * sizeof(std::uint16_t)));
    tree.next = static_cast<std::uint16_t*>(AllocBlock(kNextCount * sizeof(std::uint16_t)));
    if (tree.window && tree.depth && tree.fanout && tree.lastSeen && tree.parent && tree.prev && tree.next)
        return true;
    FreeMatchTables(tree);
    return false;
}

void FreeMatchTables(MatchTree& tree)
{
    for (void* table : {static_cast<void*>(tree.window), static_cast<void*>(tree.depth),
                        static_cast<void*>(tree.fanout), static_cast<void*>(tree.lastSeen),
                        static_cast<void*>(tree.parent), static_cast<void*>(tree.prev),
                        static_cast<void*>(tree.next)})
        FreeBlock(table);
    tree.window = nullptr;
    tree.depth = nullptr;
    tree.fanout = nullptr;
    tree.lastSeen = nullptr;
    tree.parent = nullptr;
    tree.prev = nullptr;
    tree.next = nullptr;
}

void ResetTree(MatchTree& t)
{
    for (std::uint32_t i = kFirstRoot; i < kNodeCount; ++i) {
        t.depth[i] = 1;
        t.lastSeen[i] = 0;
    }
    std::memset(t.parent + kFirstRoot, 0, (kLeafLimit - kFirstRoot) * sizeof(std::uint16_t));
    t.freeNode = 1;
    for (std::uint32_t i = 1; i < kFirstRoot - 1; ++i) t.next[i] = static_cast<std::uint16_t>(i + 1);
    t.next[kFirstRoot - 1] = 0;
    std::memset(t.next + kListHeads, 0, (kNextCount - kListHeads) * sizeof(std::uint16_t));
}

void AddPosition(MatchTree& t)
{
    const std::uint8_t* const window = t.window;
    std::uint16_t* const parent = t.parent;
    std::uint16_t* const lastSeen = t.lastSeen;
    const std::uint8_t* const depth = t.depth;
    const std::uint32_t cur = t.cur;
    std::uint32_t q;
    std::uint32_t r;

    if (t.bestLen >= 4) {
        // The string at cur shares bestLen - 1 bytes with the one after the
        // previous match: climb from that leaf to the node of that depth.
        t.bestLen -= 1;
        r = (t.bestPos + 1u) | kFirstRoot;
        while (parent[r] == 0) r = t.next[r]; // leaves replaced by a 256-byte match
        q = parent[r];
        while (depth[q] >= t.bestLen) {
            r = q;
            q = parent[q];
        }
        std::uint32_t up = q;
        while (lastSeen[up] & kCarryMark) {
            lastSeen[up] = static_cast<std::uint16_t>(cur);
            up = parent[up];
        }
        if (up < kFirstRoot) lastSeen[up] = static_cast<std::uint16_t>(cur | kCarryMark);
    } else {
        q = window[cur] + kFirstRoot;
        const std::uint32_t c = window[cur + 1];
        r = FindChild(t, q, c);
        if (r == 0) {
            AttachChild(t, q, c, cur);
            t.bestLen = 1;
            return;
        }
        t.bestLen = 2;
    }

    for (;;) {
        std::uint32_t limit;
        std::uint32_t pos;
        if (r >= kFirstRoot) {
            limit = kMaxMatchLength;
            pos = r;
        } else {
            limit = depth[r];
            pos = lastSeen[r] & kPositionMask;
        }
        if (pos >= cur) pos -= kHistoryBytes;
        t.bestPos = static_cast<std::uint16_t>(pos);
        if (t.bestLen < limit) {
            t.bestLen = MatchLength(window + cur, window + pos, t.bestLen, limit);
            if (t.bestLen < limit) {
                SplitEdge(t, r);
                return;
            }
        }
        if (t.bestLen >= kMaxMatchLength) break;
        lastSeen[r] = static_cast<std::uint16_t>(cur);
        q = r;
        const std::uint32_t c = window[cur + t.bestLen];
        r = FindChild(t, q, c);
        if (r == 0) {
            AttachChild(t, q, c, cur);
            return;
        }
        t.bestLen += 1;
    }

    // A 256-byte match: leaf cur replaces leaf r, which keeps a link to it.
    TakePlace(t, r, cur);
    parent[cur] = static_cast<std::uint16_t>(q);
    parent[r] = 0;
    t.next[r] = static_cast<std::uint16_t>(cur);
}

void RemovePosition(MatchTree& t)
{
    std::uint16_t* const parent = t.parent;
    std::uint16_t* const next = t.next;
    std::uint16_t* const prev = t.prev;
    std::uint16_t* const lastSeen = t.lastSeen;
    const std::uint32_t cur = t.cur;

    if (parent[cur] == 0) return;
    next[prev[cur]] = next[cur];
    prev[next[cur]] = prev[cur];
    const std::uint32_t r = parent[cur];
    parent[cur] = 0;
    if (r >= kFirstRoot) return;
    if (--t.fanout[r] > 1) return;

    // r has one child left and goes; its latest position is carried up.
    std::uint32_t latest = lastSeen[r] & kPositionMask;
    if (latest >= cur) latest -= kHistoryBytes;
    std::uint32_t s = latest;
    std::uint32_t q = parent[r];
    std::uint32_t u;
    while ((u = lastSeen[q]) & kCarryMark) {
        u &= kPositionMask;
        if (u >= cur) u -= kHistoryBytes;
        if (u > s) s = u;
        lastSeen[q] = static_cast<std::uint16_t>(s | kFirstRoot);
        q = parent[q];
    }
    if (q < kFirstRoot) {
        if (u >= cur) u -= kHistoryBytes;
        if (u > s) s = u;
        lastSeen[q] = static_cast<std::uint16_t>(s | kFirstRoot | kCarryMark);
    }

    const std::uint32_t child = FindChild(t, r, t.window[latest + t.depth[r]]);
    next[prev[child]] = next[child];
    prev[next[child]] = prev[child];
    TakePlace(t, r, child);
    parent[r] = 0;
    next[r] = t.freeNode;
    t.freeNode = static_cast<std::uint16_t>(r);
}

} // namespace qx::compress
