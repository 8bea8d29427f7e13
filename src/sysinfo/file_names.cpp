#include "sysinfo/file_names.h"

#include "text/ascii_case.h"

namespace qx::sysinfo {

bool IsProductFileName(std::string_view name)
{
    return name.size() >= 2 && text::ToUpperAscii(name[0]) == 'Q' && text::ToUpperAscii(name[1]) == 'X';
}

bool IsExeName(std::string_view name)
{
    constexpr std::string_view kExeSuffix = ".EXE";
    return name.size() >= kExeSuffix.size() &&
           text::EqualIgnoringAsciiCase(name.substr(name.size() - kExeSuffix.size()), kExeSuffix);
}

std::string_view ModuleFileName(std::string_view path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace qx::sysinfo
