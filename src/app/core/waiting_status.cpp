#include "app/core/waiting_status.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <algorithm>

namespace qx::app {
namespace {

// The sign between width and height: "×" in Windows-1252.
constexpr char kTimes = '\xD7';

// Text `id` with "%1" replaced by `value`.
std::string WithValue(res::StringId id, const std::string& value)
{
    std::string text = res::LoadResString(id);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

} // namespace

std::string SizeText(platform::Size size)
{
    return std::to_string(size.width) + ' ' + kTimes + ' ' + std::to_string(size.height);
}

std::string WaitingStatus::ToolTip() const
{
    std::string text = res::LoadResString(res::kPresenceWaiting);
    if (!m_lastRefusal) return text;

    std::string sizes;
    std::vector<platform::Size> listed;
    for (const platform::Size& size : m_lastRefusal->accepted) {
        if (std::ranges::find(listed, size) != listed.end()) continue;
        listed.push_back(size);
        if (!sizes.empty()) sizes += ", ";
        sizes += SizeText(size);
    }
    text += "\r\n" + WithValue(res::kPresenceRefusedImage, SizeText(m_lastRefusal->image));
    text += "\r\n" + WithValue(res::kPresenceAcceptedSizes, sizes);
    return text;
}

} // namespace qx::app
