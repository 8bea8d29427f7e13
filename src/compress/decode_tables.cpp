#include "compress/decode_tables.h"

namespace qx::compress {

bool BuildDecodeTable(int symbolCount, const std::uint8_t* bitLength, int tableBits, std::uint16_t* table,
                      DecodeTables& tables)
{
    std::uint32_t count[kMaxCodeLength + 1] = {};
    for (int i = 0; i < symbolCount; ++i) {
        if (bitLength[i] > kMaxCodeLength) return false;
        ++count[bitLength[i]];
    }
    std::uint32_t start[kMaxCodeLength + 2] = {};
    for (int i = 1; i <= kMaxCodeLength; ++i) start[i + 1] = start[i] + (count[i] << (kMaxCodeLength - i));
    if (start[kMaxCodeLength + 1] != 1u << kMaxCodeLength) return false;

    const int shift = kMaxCodeLength - tableBits;
    std::uint32_t weight[kMaxCodeLength + 1] = {};
    for (int i = 1; i <= tableBits; ++i) {
        start[i] >>= shift;
        weight[i] = 1u << (tableBits - i);
    }
    for (int i = tableBits + 1; i <= kMaxCodeLength; ++i) weight[i] = 1u << (kMaxCodeLength - i);

    // Slots from the first long code on hold subtrees; they start empty.
    const std::uint32_t tableSize = 1u << tableBits;
    for (std::uint32_t i = start[tableBits + 1] >> shift; i != 0 && i < tableSize; ++i) table[i] = 0;

    int nextNode = symbolCount;
    const std::uint32_t mask = 1u << (kMaxCodeLength - 1 - tableBits);
    for (int symbol = 0; symbol < symbolCount; ++symbol) {
        const int length = bitLength[symbol];
        if (length == 0) continue;
        const std::uint32_t nextCode = start[length] + weight[length];
        if (length <= tableBits) {
            for (std::uint32_t i = start[length]; i < nextCode; ++i) table[i] = static_cast<std::uint16_t>(symbol);
        } else {
            std::uint32_t code = start[length];
            std::uint16_t* entry = &table[code >> shift];
            for (int depth = length - tableBits; depth > 0; --depth) {
                if (*entry == 0) {
                    if (nextNode >= kTreeNodeCount) return false;
                    tables.left[nextNode] = tables.right[nextNode] = 0;
                    *entry = static_cast<std::uint16_t>(nextNode++);
                }
                entry = (code & mask) ? &tables.right[*entry] : &tables.left[*entry];
                code = (code << 1) & 0xFFFF;
            }
            *entry = static_cast<std::uint16_t>(symbol);
        }
        start[length] = nextCode;
    }
    return true;
}

} // namespace qx::compress
