#include "report/email/archive_name.h"

#include <algorithm>

namespace qx::report {
namespace {

constexpr std::size_t kPrefixLength = 6;
constexpr std::size_t kNumberWidth = 2;
constexpr std::string_view kExtension = "QXR";

// Characters left out of the prefix. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D
// stand for the C1 controls of the same value.
bool IsLeftOut(char c)
{
    constexpr std::string_view kRefusedInNames = " /\\:*?\"<>|";
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) return true;
    return kRefusedInNames.find(c) != std::string_view::npos;
}

} // namespace

std::string ArchiveNamePrefix(std::string_view serial)
{
    std::string prefix;
    std::copy_if(serial.begin(), serial.end(), std::back_inserter(prefix), [](char c) { return !IsLeftOut(c); });
    prefix.resize(std::min(prefix.size(), kPrefixLength));
    return prefix;
}

std::string ReportNumberText(std::string_view storedNumber)
{
    const std::string_view kept = storedNumber.substr(0, kNumberWidth);
    return std::string(kNumberWidth - kept.size(), '0') + std::string(kept);
}

std::string DefaultArchiveName(std::string_view serial, std::string_view storedNumber)
{
    return ArchiveNamePrefix(serial) + ReportNumberText(storedNumber) + "." + std::string(kExtension);
}

} // namespace qx::report
