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

} // namespace qx::sysinfo
