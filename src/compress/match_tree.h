#pragma once

// The lh5 match finder: a trie of the last 8192 strings of the sliding
// window. For every position it finds the longest earlier string that
// matches (3 to 256 bytes) and adds the position as a leaf.
//
// Node numbers share one 16-bit space:
//   0                none (and the sentinel of FindChild)
//   1 .. 8191        internal nodes, from a free list
//   8192 + c         as a parent: the root of the strings that begin with byte c
//   8192 .. 16383    as a child: the leaf of the string starting at that window
//                    index (a ring: an index at or above `cur` stands for the
//                    index 8192 lower, one window move ago)
// The children of parent q whose edge starts with byte c form a list whose
// head is a cell of `next` from 16384 on, picked from q and c (ListHead in
// match_tree.cpp). Cells of different parents can coincide, so a search
// checks the parent of every element it meets.
//
// The seven tables are one zero-filled memory block held by a plain pointer,
// so that the job holding the tree stays a zero-filled block itself;
// AllocMatchTables and FreeMatchTables own it.

#include <cstddef>
#include <cstdint>

namespace qx::compress {

inline constexpr std::uint32_t kHistoryBytes = 8192;      // the dictionary
inline constexpr std::uint32_t kMinMatchLength = 3;
inline constexpr std::uint32_t kMaxMatchLength = 256;
inline constexpr std::uint32_t kFirstReadBytes = kHistoryBytes + kMaxMatchLength; // 8448
inline constexpr std::uint32_t kRefillBytes = kHistoryBytes;
// History before the current position plus the look-ahead.
inline constexpr std::uint32_t kWindowBytes = 2 * kHistoryBytes + kMaxMatchLength; // 16640
// The string compare reads 8 bytes at a time; the last word may reach past
// the window by up to 7 bytes, which are never taken into account.
inline constexpr std::uint32_t kWindowSlack = 8;

inline constexpr std::uint32_t kFirstRoot = kHistoryBytes;                  // 8192
inline constexpr std::uint32_t kNodeCount = kHistoryBytes + 256;            // depth, fanout, lastSeen
inline constexpr std::uint32_t kLeafLimit = 2 * kHistoryBytes;              // parent, prev
inline constexpr std::uint32_t kListHeads = 2 * kHistoryBytes;              // first cell of `next`
inline constexpr std::uint32_t kListCells = 1u << 14;                      // heads of the sibling lists
inline constexpr std::uint32_t kNextCount = kListHeads + kListCells;
inline constexpr std::uint16_t kCarryMark = 0x8000; // lastSeen still to be carried up

// The seven tables of the trie (see match_tree.cpp for their layout):
//   window     kWindowBytes    bytes
//   depth      kNodeCount      length shared below an internal node or root (roots: 1)
//   fanout     kNodeCount      children of an internal node or root
//   lastSeen   kNodeCount      latest position through a node; kCarryMark: still to carry up
//   parent     kLeafLimit      parent of an internal node or leaf; 0: not in the tree
//   prev       kLeafLimit      previous element of a sibling list
//   next       kNextCount      next element; also the list heads, the free list
//                              of internal nodes and the replacement link of a leaf
struct MatchTree {
    std::uint8_t* tables; // one block with all seven
    std::uint8_t* window; // the window's bytes inside it

    std::uint16_t cur;      // current window index, 8192 to 16383
    std::uint16_t bestPos;  // window index of the longest match found
    std::uint16_t freeNode; // head of the free list of internal nodes
    std::uint32_t lookahead;
    std::uint32_t bestLen;
};

// Where the window's later pieces come from: up to `n` bytes of the source
// into `destination`, and the count (0 at its end).
class WindowSource {
public:
    virtual std::uint32_t Refill(std::uint8_t* destination, std::uint32_t n) = 0;

protected:
    ~WindowSource() = default;
};

// Allocates the seven tables as one memory block at fixed offsets (the
// search relies on that layout, so the tables of a tree always come from
// here); false when memory is missing.
bool AllocMatchTables(MatchTree& tree);
// Frees the tables; safe on a tree whose allocation failed, and twice.
void FreeMatchTables(MatchTree& tree);

// Empties the trie: 256 roots of depth 1, no leaf, every internal node free.
void ResetTree(MatchTree& tree);

// Finds the longest match for the string at `cur` (bestLen, bestPos) and adds
// leaf `cur`. A bestLen of 4 or more left by the previous call lets the search
// start from that match's node instead of the root.
void AddPosition(MatchTree& tree);

// Moves `count` positions on. Each step uses up one byte of look-ahead,
// refills the window from `source` when the position reaches its end (the
// last 8448 bytes move to its start, 8192 new ones follow), removes the
// string that leaves the history and adds the new position (AddPosition).
void AdvancePositions(MatchTree& tree, std::uint32_t count, WindowSource& source);

} // namespace qx::compress
