// The product files step: the installation directory's files with a version.
#include "sysinfo/sysinfo.h"

#include "sysinfo/file_version.h"
#include "sysinfo/product_scan.h"
#include "text/ascii_case.h"
#include "text/cp1252.h"
#include "text/path_parts.h"

#include <array>

namespace qx::sysinfo {

namespace {

// Five characters of version and the terminating zero: the report's column.
constexpr std::size_t kVersionBufferSize = 6;

} // namespace

void ListProductFiles(const SystemServices& services, const std::string& directory, const std::string& mask,
                      std::string& out)
{
    for (const std::string& name : services.files.FindFiles(text::JoinPath(directory, mask))) {
        const std::string path = text::JoinPath(directory, name);
        std::array<char, kVersionBufferSize> version{};
        if (!ReadFileVersion(services.files, path, version)) ScanFileForVersion(path, version);
        if (version.front() == '\0') continue;
        out += text::UpperAscii(text::Utf8ToCp1252(name)) + " " + version.data() + "\r\n";
    }
}

} // namespace qx::sysinfo
