#include "report/email/archive_name.h"

#include <algorithm>

namespace qx::report {
namespace {

constexpr std::size_t kPrefixLength = 6;
constexpr std::size_t kNumberWidth = 2;
constexpr std::string_view kExtension = "QXR";

} // namespace

std::string ArchiveNamePrefix(std::string_view serial)
{
    std::string prefix;
    std::copy_if(serial.begin(), serial.end(), std::back_inserter(prefix), [](char c) { return c != ' '; });
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
