#include "config/notices.h"

#include "config/keys.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qx::config {
namespace {

constexpr const char* kNoticeShown = "1";
constexpr const char* kNoticeHidden = "0";
constexpr const char* kFirstReportNumber = "1";

// The blanks that isspace() accepts in the C locale.
bool IsCBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

bool IsNoticeEnabled(const Profile& profile, std::string_view key)
{
    const std::string value = profile.Read(kSectionQxBeta, key, kNoticeShown);
    return value.empty() || value.front() != '0';
}

void DisableNotice(const Profile& profile, std::string_view key)
{
    profile.Write(kSectionQxBeta, key, kNoticeHidden);
}

std::string ReadReportNumber(const Profile& profile)
{
    return profile.Read(kSectionQxBeta, kKeyReportNumber, kFirstReportNumber);
}

int ParseLeadingInt(std::string_view text)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();

    std::size_t pos = 0;
    while (pos < text.size() && IsCBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

    // Accumulated as a magnitude that stops just past the 32-bit range, so
    // that no number of digits can overflow.
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kMax + 1);
    return static_cast<int>(negative ? std::max(-magnitude, kMin) : std::min(magnitude, kMax));
}

void IncrementReportNumber(const Profile& profile)
{
    profile.Change(kSectionQxBeta, kKeyReportNumber, kFirstReportNumber, [](const std::string& value) {
        const std::uint32_t current = static_cast<std::uint32_t>(ParseLeadingInt(value));
        // The sum wraps from the largest number to the smallest, as 32-bit "+ 1" does.
        return std::to_string(static_cast<std::int32_t>(current + 1u));
    });
}

} // namespace qx::config
