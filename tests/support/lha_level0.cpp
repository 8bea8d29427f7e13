#include "support/lha_level0.h"

namespace qx::test {
namespace {

// CRC-16 as LHA computes it: polynomial 0x8005 reflected (0xA001), start 0.
std::uint16_t Crc16(const std::vector<std::uint8_t>& bytes)
{
    std::uint16_t crc = 0;
    for (std::uint8_t b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> LhaLevel0Archive(const std::vector<std::uint8_t>& lh5Data,
                                           const std::vector<std::uint8_t>& original, const std::string& name)
{
    constexpr std::uint32_t kDosTime = (12u << 11) | (30u << 5);           // 12:30:00
    constexpr std::uint32_t kDosDate = ((2026u - 1980u) << 9) | (1u << 5) | 15u; // 2026-01-15
    std::vector<std::uint8_t> header;
    const std::string method = "-lh5-";
    header.insert(header.end(), method.begin(), method.end());
    PutLe(header, static_cast<std::uint32_t>(lh5Data.size()), 4);
    PutLe(header, static_cast<std::uint32_t>(original.size()), 4);
    PutLe(header, kDosTime | (kDosDate << 16), 4);
    header.push_back(0x20); // archive attribute
    header.push_back(0);    // level 0
    header.push_back(static_cast<std::uint8_t>(name.size()));
    header.insert(header.end(), name.begin(), name.end());
    PutLe(header, Crc16(original), 2);

    std::uint8_t checksum = 0;
    for (std::uint8_t b : header) checksum = static_cast<std::uint8_t>(checksum + b);
    std::vector<std::uint8_t> archive = {static_cast<std::uint8_t>(header.size()), checksum};
    archive.insert(archive.end(), header.begin(), header.end());
    archive.insert(archive.end(), lh5Data.begin(), lh5Data.end());
    archive.push_back(0);
    return archive;
}

} // namespace qx::test
