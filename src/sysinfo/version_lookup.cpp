#include "sysinfo/version_lookup.h"

#include "sysinfo/file_version.h"

namespace qx::sysinfo {

const std::string& VersionLookup::VersionOf(const std::string& path)
{
    auto [it, inserted] = m_known.try_emplace(path);
    if (inserted) ReadFileVersion(m_files, path, it->second);
    return it->second;
}

} // namespace qx::sysinfo
