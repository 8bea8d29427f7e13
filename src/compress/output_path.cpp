#include "compress/output_path.h"

#include "compress/archive_format.h"

namespace qx::compress {
namespace {

constexpr std::string_view kSeparators = "/\\:";

} // namespace

std::string_view LastComponent(std::string_view name)
{
    const auto cut = name.find_last_of(kSeparators);
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

std::string BuildOutputPath(std::string_view destination, std::string_view storedName)
{
    std::string result(destination);
    while (!result.empty() && result.back() == ' ') result.pop_back();
    if (!result.empty() && kSeparators.find(result.back()) != std::string_view::npos)
        result += LastComponent(storedName);
    return result;
}

bool IsSafeOutputPath(std::string_view path)
{
    if (path.size() > kMaxNameLength) return false;
    const std::string_view last = LastComponent(path);
    return !last.empty() && last != "." && last != "..";
}

} // namespace qx::compress
