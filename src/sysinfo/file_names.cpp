#include "sysinfo/file_names.h"

#include <algorithm>

namespace qx::sysinfo {

namespace {

unsigned char FoldLower(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

char FoldUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsProductFileName(std::string_view name)
{
    return name.size() >= 2 && FoldUpper(name[0]) == 'Q' && FoldUpper(name[1]) == 'X';
}

bool IsExeName(std::string_view name)
{
    constexpr std::string_view kExeSuffix = ".EXE";
    return name.size() >= kExeSuffix.size() && EqualNoCase(name.substr(name.size() - kExeSuffix.size()), kExeSuffix);
}

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldLower(a[i]);
        const unsigned char y = FoldLower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), FoldUpper);
    return upper;
}

} // namespace qx::sysinfo
