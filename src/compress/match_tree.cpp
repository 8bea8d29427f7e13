#include "compress/match_tree.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

constexpr std::uint16_t kPositionMask = 0x7FFF;

// The search runs once per source byte; inlined into the step loop it keeps
// the tree's scalars in registers.
#if defined(__GNUC__)
#define QX_HOT_INLINE inline __attribute__((always_inline))
#else
#define QX_HOT_INLINE inline
#endif

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

// The seven tables live in one memory block at fixed offsets, so that the
// search addresses all of them from one register. `parent` and `next` are
// interleaved: a walk along a sibling list reads both for every element,
// from one cache line. The cells of `next` beyond the leaves (the list
// heads) keep an unused parent slot.
struct Link {
    std::uint16_t parent;
    std::uint16_t next;
};
constexpr std::size_t kLinksAt = 0;
constexpr std::size_t kPrevAt = kLinksAt + kNextCount * sizeof(Link);
constexpr std::size_t kLastSeenAt = kPrevAt + kLeafLimit * sizeof(std::uint16_t);
constexpr std::size_t kDepthAt = kLastSeenAt + kNodeCount * sizeof(std::uint16_t);
constexpr std::size_t kFanoutAt = kDepthAt + kNodeCount;
constexpr std::size_t kWindowAt = kFanoutAt + kNodeCount;
constexpr std::size_t kTreeBlockBytes = kWindowAt + kWindowBytes + kWindowSlack;

// The tables of a tree's block, as seen by the search.
class Tables {
public:
    explicit Tables(const MatchTree& tree) : block_(tree.tables) {}

    Link& link(std::uint32_t i) const { return Links()[i]; }
    std::uint16_t& parent(std::uint32_t i) const { return Links()[i].parent; }
    std::uint16_t& next(std::uint32_t i) const { return Links()[i].next; }
    std::uint16_t& prev(std::uint32_t i) const { return Table16(kPrevAt)[i]; }
    std::uint16_t& lastSeen(std::uint32_t i) const { return Table16(kLastSeenAt)[i]; }
    std::uint8_t& depth(std::uint32_t i) const { return block_[kDepthAt + i]; }
    std::uint8_t& fanout(std::uint32_t i) const { return block_[kFanoutAt + i]; }
    std::uint8_t* window() const { return block_ + kWindowAt; }

private:
    Link* Links() const { return reinterpret_cast<Link*>(block_ + kLinksAt); }
    std::uint16_t* Table16(std::size_t at) const { return reinterpret_cast<std::uint16_t*>(block_ + at); }

    std::uint8_t* const block_;
};

// The window index a leaf or lastSeen value `at` stands for seen from cur:
// an index at or above cur is one from before the last window move. Done
// without a branch, which would be a coin toss.
inline std::uint32_t Before(std::uint32_t at, std::uint32_t cur)
{
    return at - kHistoryBytes * static_cast<std::uint32_t>(at >= cur);
}

// The search state that moves from one position to the next.
struct Search {
    std::uint32_t bestLen;
    std::uint32_t bestPos;
    std::uint32_t freeNode;
};

// The cell of the children of q whose edge starts with c. The byte's part is
// an odd multiple taken modulo a power of two, so that for one parent
// different bytes never share a cell, while parents whose numbers lie close
// together (the 256 roots above all) spread their lists over the cells
// instead of sharing them; shorter lists make FindChild's walk shorter.
constexpr std::uint32_t kByteSpread = 10125; // about 0.618 of kListCells, odd
static_assert(kByteSpread % 2 == 1 && kListCells >= 256 && kListCells >= kNodeCount);
inline std::uint32_t ListHead(std::uint32_t q, std::uint32_t c)
{
    return kListHeads + ((q + c * kByteSpread) & (kListCells - 1));
}

// The child of q whose edge starts with byte c, or 0.
inline std::uint32_t FindChild(const Tables& t, std::uint32_t q, std::uint32_t c)
{
    std::uint32_t r = t.next(ListHead(q, c));
    t.parent(0) = static_cast<std::uint16_t>(q); // sentinel: the list ends at 0
    while (t.parent(r) != q) r = t.next(r);
    return r;
}

inline void AttachChild(const Tables& t, std::uint32_t q, std::uint32_t c, std::uint32_t r)
{
    const std::uint32_t h = ListHead(q, c);
    const std::uint32_t first = t.next(h);
    t.next(h) = static_cast<std::uint16_t>(r);
    t.next(r) = static_cast<std::uint16_t>(first);
    t.prev(first) = static_cast<std::uint16_t>(r);
    t.prev(r) = static_cast<std::uint16_t>(h);
    t.parent(r) = static_cast<std::uint16_t>(q);
    ++t.fanout(q); // wraps for 256 children; only the counts 1 and 2 are ever decided on
}

// Puts `replacement` where `old` sits in its sibling list, under old's
// parent. Parent and next move as one word.
inline void TakePlace(const Tables& t, std::uint32_t old, std::uint32_t replacement)
{
    const std::uint32_t before = t.prev(old);
    const Link link = t.link(old);
    t.prev(replacement) = static_cast<std::uint16_t>(before);
    t.next(before) = static_cast<std::uint16_t>(replacement);
    t.link(replacement) = link;
    t.prev(link.next) = static_cast<std::uint16_t>(replacement);
}

// The string at cur agrees with node `old` on `length` bytes only, the
// string at `pos` below old on more: a new internal node of that depth takes
// old's place, with old and cur below it. Returns the new head of the free list.
QX_HOT_INLINE std::uint32_t SplitEdge(const Tables& t, std::uint32_t old, std::uint32_t cur, std::uint32_t pos,
                                      std::uint32_t length, std::uint32_t freeNode)
{
    const std::uint32_t node = freeNode;
    freeNode = t.next(node);
    t.fanout(node) = 0;
    TakePlace(t, old, node);
    t.depth(node) = static_cast<std::uint8_t>(length);
    t.lastSeen(node) = static_cast<std::uint16_t>(cur);
    AttachChild(t, node, t.window()[pos + length], old);
    AttachChild(t, node, t.window()[cur + length], cur);
    return freeNode;
}

// A 256-byte match with leaf r: leaf cur replaces r, which keeps a link to it.
inline void ReplaceLeaf(const Tables& t, std::uint32_t r, std::uint32_t cur)
{
    TakePlace(t, r, cur);
    t.link(r) = Link{0, static_cast<std::uint16_t>(cur)};
}

// Carries the new position cur up from node q, which is not a root: every
// marked node on the way gets cur, the first unmarked one cur with the mark
// (a root, which never holds one, ends the way unchanged).
inline void CarryUp(const Tables& t, std::uint32_t q, std::uint32_t cur)
{
    std::uint32_t up = q;
    while (t.lastSeen(up) & kCarryMark) {
        t.lastSeen(up) = static_cast<std::uint16_t>(cur);
        up = t.parent(up);
    }
    if (up < kFirstRoot) t.lastSeen(up) = static_cast<std::uint16_t>(cur | kCarryMark);
}

// The same for the general search, where whether the way goes on past q is
// a coin toss: the first two nodes are done without branching on their
// marks. (In the run loop the branches predict better than this computes.)
inline void CarryUpUnbranched(const Tables& t, std::uint32_t q, std::uint32_t cur)
{
    const std::uint32_t firstMarked = t.lastSeen(q) >> 15;
    t.lastSeen(q) = static_cast<std::uint16_t>(cur | (firstMarked ^ 1) << 15);
    const std::uint32_t up = t.parent(q);
    const std::uint32_t seen = t.lastSeen(up);
    const std::uint32_t secondMarked = seen >> 15;
    const std::uint32_t reached = firstMarked & static_cast<std::uint32_t>(up < kFirstRoot);
    const std::uint32_t keep = reached - 1; // all ones when the way ended at q
    t.lastSeen(up) = static_cast<std::uint16_t>((seen & keep) | ((cur | (secondMarked ^ 1) << 15) & ~keep));
    if ((reached & secondMarked) != 0) CarryUp(t, t.parent(up), cur);
}

// Goes down from child r of q, where the string at cur is known to agree
// on s.bestLen bytes, until the match ends: at a split edge, at a missing
// child, or after 256 bytes. Takes and gives the search state by value, so
// that the caller's copy can stay in registers.
QX_HOT_INLINE Search Descend(const Tables& t, std::uint32_t cur, Search s, std::uint32_t q, std::uint32_t r)
{
    for (;;) {
        std::uint32_t limit;
        std::uint32_t pos;
        if (r >= kFirstRoot) {
            limit = kMaxMatchLength;
            pos = r;
        } else {
            limit = t.depth(r);
            pos = t.lastSeen(r) & kPositionMask;
        }
        pos = Before(pos, cur);
        s.bestPos = pos;
        if (s.bestLen < limit) {
            s.bestLen = MatchLength(t.window() + cur, t.window() + pos, s.bestLen, limit);
            if (s.bestLen < limit) {
                s.freeNode = SplitEdge(t, r, cur, pos, s.bestLen, s.freeNode);
                return s;
            }
        }
        if (s.bestLen >= kMaxMatchLength) break;
        t.lastSeen(r) = static_cast<std::uint16_t>(cur);
        q = r;
        const std::uint32_t c = t.window()[cur + s.bestLen];
        r = FindChild(t, q, c);
        if (r == 0) {
            AttachChild(t, q, c, cur);
            return s;
        }
        s.bestLen += 1;
    }
    ReplaceLeaf(t, r, cur);
    return s;
}

// The search from the root of the string's first byte.
Search SearchFromRoot(const Tables& t, std::uint32_t cur, Search s)
{
    const std::uint32_t q = t.window()[cur] + kFirstRoot;
    const std::uint32_t c = t.window()[cur + 1];
    const std::uint32_t r = FindChild(t, q, c);
    if (r == 0) {
        AttachChild(t, q, c, cur);
        s.bestLen = 1;
        return s;
    }
    s.bestLen = 2;
    return Descend(t, cur, s, q, r);
}

// Finds the longest match for the string at cur and adds leaf cur (see
// AddPosition). Inside long runs and repeats the previous position found
// 256 bytes, and the climb ends at a leaf that agrees on 255 of them: one
// more byte decides, and that case is done here without the general descent.
QX_HOT_INLINE void Add(const Tables& t, std::uint32_t cur, Search& s)
{
    if (s.bestLen < 4) {
        s = SearchFromRoot(t, cur, s);
        return;
    }
    // The string at cur shares bestLen - 1 bytes with the one after the
    // previous match: climb from that leaf to the node of that depth.
    s.bestLen -= 1;
    std::uint32_t r = (s.bestPos + 1) | kFirstRoot;
    while (t.parent(r) == 0) r = t.next(r); // leaves replaced by a 256-byte match
    std::uint32_t q = t.parent(r);
    while (t.depth(q) >= s.bestLen) {
        r = q;
        q = t.parent(q);
    }
    // Carry the new position up. Roots never hold a mark (their lastSeen
    // stays 0), so a climb that ended at a root has nothing to carry.
    if (q < kFirstRoot) CarryUpUnbranched(t, q, cur);

    if (s.bestLen == kMaxMatchLength - 1) {
        if (r >= kFirstRoot) {
            std::uint32_t pos = r;
            pos = Before(pos, cur);
            if (t.window()[cur + kMaxMatchLength - 1] == t.window()[pos + kMaxMatchLength - 1]) {
                s.bestPos = pos;
                s.bestLen = kMaxMatchLength;
                ReplaceLeaf(t, r, cur);
                return;
            }
        } else if (t.depth(r) == kMaxMatchLength - 1) {
            // A node of depth 255: its child for the 256th byte, when it is
            // a leaf, is the match.
            const std::uint32_t leaf = FindChild(t, r, t.window()[cur + kMaxMatchLength - 1]);
            if (leaf >= kFirstRoot) {
                std::uint32_t pos = leaf;
                pos = Before(pos, cur);
                t.lastSeen(r) = static_cast<std::uint16_t>(cur);
                s.bestPos = pos;
                s.bestLen = kMaxMatchLength;
                ReplaceLeaf(t, leaf, cur);
                return;
            }
        }
    }
    s = Descend(t, cur, s, q, r);
}

// Internal node r, left with one child by the removal of leaf cur, goes:
// its latest position is carried up and the child takes its place. Returns
// the new head of the free list.
QX_HOT_INLINE std::uint32_t RemoveNode(const Tables& t, std::uint32_t r, std::uint32_t cur, std::uint32_t freeNode)
{
    std::uint32_t latest = t.lastSeen(r) & kPositionMask;
    latest = Before(latest, cur);
    std::uint32_t s = latest;
    std::uint32_t q = t.parent(r);
    std::uint32_t u;
    while ((u = t.lastSeen(q)) & kCarryMark) {
        u &= kPositionMask;
        u = Before(u, cur);
        if (u > s) s = u;
        t.lastSeen(q) = static_cast<std::uint16_t>(s | kFirstRoot);
        q = t.parent(q);
    }
    if (q < kFirstRoot) {
        u = Before(u, cur);
        if (u > s) s = u;
        t.lastSeen(q) = static_cast<std::uint16_t>(s | kFirstRoot | kCarryMark);
    }

    const std::uint32_t child = FindChild(t, r, t.window()[latest + t.depth(r)]);
    t.next(t.prev(child)) = t.next(child);
    t.prev(t.next(child)) = t.prev(child);
    TakePlace(t, r, child);
    t.parent(r) = 0;
    t.next(r) = static_cast<std::uint16_t>(freeNode);
    return r;
}

// Removes leaf cur, which is in the tree. Returns the new head of the free list.
QX_HOT_INLINE std::uint32_t Unlink(const Tables& t, std::uint32_t cur, std::uint32_t freeNode)
{
    t.next(t.prev(cur)) = t.next(cur);
    t.prev(t.next(cur)) = t.prev(cur);
    const std::uint32_t r = t.parent(cur);
    t.parent(cur) = 0;
    if (r >= kFirstRoot) return freeNode;
    if (--t.fanout(r) > 1) return freeNode;
    return RemoveNode(t, r, cur, freeNode);
}

// The same, out of the way of the run loop, where it is rare.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
std::uint32_t UnlinkInRun(const Tables& t, std::uint32_t cur, std::uint32_t freeNode)
{
    return Unlink(t, cur, freeNode);
}

// A run of 256-byte matches at a short distance d (a flat area of 24-bit
// pixels has d = 3): position x replaces leaf x - d, and the d leaves being
// replaced in turn keep their places in their sibling lists. Each of them is
// then held here (leaf, parent, neighbours) instead of being moved in its
// list at every step; the lists are put right once, when the run ends. While
// it lasts nothing else reads the lists: the run stops before a leaf leaves
// the history, and under a parent of depth 255 the child for the 256th byte
// is known without a walk (it is the held leaf when that byte agrees).
//
// After a held run could not start, the next attempt waits this many positions.
constexpr std::uint32_t kHeldRetryGap = 64;

struct HeldLeaf {
    std::uint32_t leaf;
    std::uint32_t parent;
    std::uint32_t before; // prev
    std::uint32_t after;  // next
    // Where each step carries the new position up from (0: nowhere), and the
    // node whose lastSeen it sets outright (a parent of depth 255; else node
    // 0, which is never used and takes the write).
    std::uint32_t carryFrom;
    std::uint32_t seenAt;
};

// The carries of a held run, counted instead of done at every step. On the
// way up from a node to its root the marks behave as the bits of a binary
// counter, the lowest first: a step touches the nodes up to the first
// unmarked one (it gets the mark, those below lose theirs), that is node j
// whenever the counter's j low bits are all ones, and then adds 1 (modulo
// 2^length: when every node is marked, all lose their marks). So after n
// steps each node holds the position of the last step that touched it, and
// its mark is its bit of the counter plus n. Only the nodes touched are
// visited. A run lasts fewer than 2^14 steps, so above bit 13 a node is
// touched at most once, in the step whose carry ripples past bit 13, and
// only while every node between holds a mark.
void CountCarries(const Tables& t, std::uint32_t from, std::uint32_t steps, std::uint32_t start, std::uint32_t period)
{
    constexpr std::uint32_t kLowBits = 14;
    std::uint32_t low = 0;        // the marks of the nodes below, while fewer than kLowBits
    std::uint32_t rippleStep = 0; // above: the step whose carry ripples past bit 13
    std::uint32_t j = 0;
    for (std::uint32_t node = from; node != 0 && node < kFirstRoot; node = t.parent(node), ++j) {
        const std::uint32_t mark = t.lastSeen(node) >> 15;
        std::uint32_t lastTouch;
        std::uint32_t markAfter;
        if (j < kLowBits) {
            const std::uint32_t ones = (1u << j) - 1;
            const std::uint32_t firstTouch = ones - low; // low < 2^j
            if (firstTouch >= steps) return; // nor are the nodes above touched
            lastTouch = firstTouch + (steps - 1 - firstTouch) / (1u << j) * (1u << j);
            low |= mark << j;
            markAfter = (low + steps) >> j & 1;
            if (j == kLowBits - 1) rippleStep = (1u << kLowBits) - 1 - low;
        } else {
            if (rippleStep >= steps) return; // the carry never gets this far
            lastTouch = rippleStep;
            markAfter = mark ^ 1;
            if (mark == 0) rippleStep = steps; // the carry stops here
        }
        t.lastSeen(node) = static_cast<std::uint16_t>((start + lastTouch * period) | markAfter << 15);
    }
}

// The steps of a held run from position x on: returns the first position
// not added. Without `Counted` the carries are done at every step.
template <std::uint32_t Period, bool Counted>
QX_HOT_INLINE std::uint32_t HeldSteps(const Tables& t, HeldLeaf (&held)[Period], std::uint32_t x, std::uint32_t last)
{
    // The 256th byte of the string at x against that of the string at x - Period.
    const std::uint8_t* const last256 = t.window() + kMaxMatchLength - 1;
    for (;;) {
#pragma GCC unroll 4
        for (std::uint32_t k = 0; k < Period; ++k) {
            if (x > last || t.parent(x) != 0 || last256[x] != last256[x - Period]) return x;
            HeldLeaf& h = held[k];
            if (!Counted) {
                if (h.carryFrom != 0) CarryUp(t, h.carryFrom, x);
                t.lastSeen(h.seenAt) = static_cast<std::uint16_t>(x);
            }
            t.link(h.leaf) = Link{0, static_cast<std::uint16_t>(x)}; // replaced, linked to x
            h.leaf = x;
            ++x;
        }
    }
}

// The run at distance `Period`, from position `next` up to `last`, the
// leaves being replaced first + 0 .. Period - 1: returns the first position
// not added (`next` when the run cannot start). The loops over the held
// leaves have constant counts, so that each leaf's fields live in registers.
template <std::uint32_t Period>
std::uint32_t HeldRunAt(const Tables& t, std::uint32_t first, std::uint32_t next, std::uint32_t last)
{
    HeldLeaf held[Period];
#pragma GCC unroll 4
    for (std::uint32_t k = 0; k < Period; ++k) {
        const std::uint32_t leaf = first + k;
        const Link link = t.link(leaf);
        const std::uint32_t q = link.parent;
        if (q == 0) return next;
        const bool deep = t.depth(q) == kMaxMatchLength - 1; // roots have depth 1
        const std::uint32_t from = deep ? t.parent(q) : q;
        held[k] = {leaf, q, t.prev(leaf), link.next, from < kFirstRoot ? from : 0, deep ? q : 0};
    }
#pragma GCC unroll 4
    for (std::uint32_t k = 0; k < Period; ++k)
#pragma GCC unroll 4
        for (std::uint32_t j = 0; j < Period; ++j)
            if (held[k].before == held[j].leaf || held[k].after == held[j].leaf) return next; // neighbours

    // The carries are counted when the held leaves begin with different
    // bytes: their ways up then lie under different roots and never meet.
    bool counted = true;
#pragma GCC unroll 4
    for (std::uint32_t k = 0; k < Period; ++k)
#pragma GCC unroll 4
        for (std::uint32_t j = k + 1; j < Period; ++j)
            counted = counted && t.window()[first + k] != t.window()[first + j];

    const std::uint32_t x = counted ? HeldSteps<Period, true>(t, held, next, last)
                                    : HeldSteps<Period, false>(t, held, next, last);
    const std::uint32_t steps = x - next;
#pragma GCC unroll 4
    for (std::uint32_t k = 0; k < Period; ++k) {
        const HeldLeaf& h = held[k];
        if (counted && steps > k) {
            const std::uint32_t own = (steps - 1 - k) / Period + 1; // steps of this leaf
            CountCarries(t, held[k].carryFrom, own, next + k, Period);
            if (h.seenAt != 0) t.lastSeen(h.seenAt) = static_cast<std::uint16_t>(next + k + (own - 1) * Period);
        }
        t.link(h.leaf) = Link{static_cast<std::uint16_t>(h.parent), static_cast<std::uint16_t>(h.after)};
        t.prev(h.leaf) = static_cast<std::uint16_t>(h.before);
        t.next(h.before) = static_cast<std::uint16_t>(h.leaf);
        t.prev(h.after) = static_cast<std::uint16_t>(h.leaf);
    }
    return x;
}

// From position `next` (the previous match was at window index pos, so leaf
// pos + 1 is replaced now), up to `last`: returns how many positions it added
// (0 when such a run cannot start here) and moves pos on with them.
std::uint32_t HeldRun(const Tables& t, std::uint32_t next, std::uint32_t last, std::uint32_t& pos)
{
    const std::uint32_t first = pos + 1;
    if (first < kFirstRoot || first >= next) return 0;
    const std::uint32_t period = next - first;
    std::uint32_t end;
    switch (period) {
    case 1: end = HeldRunAt<1>(t, first, next, last); break;
    case 2: end = HeldRunAt<2>(t, first, next, last); break;
    case 3: end = HeldRunAt<3>(t, first, next, last); break;
    case 4: end = HeldRunAt<4>(t, first, next, last); break;
    default: return 0;
    }
    pos = end - 1 - period;
    return end - next;
}

// Goes on through a long run or repeat after a position that found 256
// bytes: as long as each next position is one of the short cases of Add
// (the leaf after the previous match is in the tree, and either its parent
// is not of depth 255 and the 256th byte still agrees, or its parent is of
// depth 255 and has a leaf for that byte), that position is added here,
// after the leaf leaving the history is removed. Stops before the first
// position that needs more, before the window's end, and after at most
// `limit` positions; returns how many it added, the last at cur + that count.
// Runs at distances 1 to 4 go through HeldRun where they can.
QX_HOT_INLINE std::uint32_t RunOfLongestMatches(const Tables& t, std::uint32_t cur, Search& s, std::uint32_t limit)
{
    std::uint32_t pos = s.bestPos;
    const std::uint32_t last = std::min(cur + limit, 2 * kHistoryBytes - 1); // not past the window's end
    std::uint32_t next = cur + 1;
    std::uint32_t heldFrom = next;
    for (; next <= last; ++next) {
        if (next >= heldFrom) {
            const std::uint32_t held = HeldRun(t, next, last, pos);
            if (held == 0) heldFrom = next + kHeldRetryGap;
            next += held;
            if (next > last) break;
        }
        if (t.parent(next) != 0) s.freeNode = UnlinkInRun(t, next, s.freeNode);
        std::uint32_t leaf = (pos + 1) | kFirstRoot;
        const std::uint32_t q = t.parent(leaf);
        if (q == 0) break;
        const std::uint8_t byte = t.window()[next + kMaxMatchLength - 1];
        if (t.depth(q) == kMaxMatchLength - 1) { // roots have depth 1
            leaf = FindChild(t, q, byte);
            if (leaf < kFirstRoot) break;
            if (t.parent(q) < kFirstRoot) CarryUp(t, t.parent(q), next);
            t.lastSeen(q) = static_cast<std::uint16_t>(next);
            pos = Before(leaf, next);
        } else {
            if (byte != t.window()[pos + kMaxMatchLength]) break;
            if (q < kFirstRoot) CarryUp(t, q, next);
            pos += 1; // the leaf after a match starting at pos, in window terms
        }
        ReplaceLeaf(t, leaf, next);
    }
    s.bestPos = pos;
    return next - 1 - cur;
}

} // namespace

bool AllocMatchTables(MatchTree& tree)
{
    tree.tables = static_cast<std::uint8_t*>(AllocBlock(kTreeBlockBytes));
    tree.window = tree.tables == nullptr ? nullptr : tree.tables + kWindowAt;
    return tree.tables != nullptr;
}

void FreeMatchTables(MatchTree& tree)
{
    FreeBlock(tree.tables);
    tree = MatchTree{};
}

void ResetTree(MatchTree& tree)
{
    const Tables t(tree);
    for (std::uint32_t i = kFirstRoot; i < kNodeCount; ++i) {
        t.depth(i) = 1;
        t.lastSeen(i) = 0;
    }
    for (std::uint32_t i = kFirstRoot; i < kLeafLimit; ++i) t.parent(i) = 0;
    tree.freeNode = 1;
    for (std::uint32_t i = 1; i < kFirstRoot - 1; ++i) t.next(i) = static_cast<std::uint16_t>(i + 1);
    t.next(kFirstRoot - 1) = 0;
    for (std::uint32_t i = kListHeads; i < kNextCount; ++i) t.next(i) = 0;
}

void AddPosition(MatchTree& tree)
{
    const Tables t(tree);
    Search s{tree.bestLen, tree.bestPos, tree.freeNode};
    Add(t, tree.cur, s);
    tree.bestLen = s.bestLen;
    tree.bestPos = static_cast<std::uint16_t>(s.bestPos);
    tree.freeNode = static_cast<std::uint16_t>(s.freeNode);
}

void AdvancePositions(MatchTree& tree, std::uint32_t count, WindowSource& source)
{
    const Tables t(tree);
    Search s{tree.bestLen, tree.bestPos, tree.freeNode};
    std::uint32_t cur = tree.cur;
    // Every step uses up one byte of look-ahead; refills add theirs.
    std::uint32_t lookahead = tree.lookahead - count;
    for (; count > 0; --count) {
        ++cur;
        if (cur == 2 * kHistoryBytes) {
            std::memmove(t.window(), t.window() + kHistoryBytes, kFirstReadBytes);
            lookahead += source.Refill(t.window() + kFirstReadBytes, kRefillBytes);
            cur = kHistoryBytes;
        }
        if (t.parent(cur) != 0) s.freeNode = Unlink(t, cur, s.freeNode);
        Add(t, cur, s);
        if (s.bestLen == kMaxMatchLength) {
            const std::uint32_t run = RunOfLongestMatches(t, cur, s, count - 1);
            cur += run;
            count -= run;
        }
    }
    tree.cur = static_cast<std::uint16_t>(cur);
    tree.lookahead = lookahead;
    tree.bestLen = s.bestLen;
    tree.bestPos = static_cast<std::uint16_t>(s.bestPos);
    tree.freeNode = static_cast<std::uint16_t>(s.freeNode);
}

} // namespace qx::compress
