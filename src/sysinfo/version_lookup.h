#pragma once

// File versions for one snapshot of the running modules. Most processes load
// the same libraries, so each path is read once and remembered.

#include "platform/file_reader.h"

#include <string>
#include <unordered_map>

namespace qx::sysinfo {

class VersionLookup {
public:
    explicit VersionLookup(platform::FileReader& files) : m_files(files) {}

    // The version text of `path`; empty when the file has none.
    const std::string& VersionOf(const std::string& path);

private:
    platform::FileReader& m_files;
    std::unordered_map<std::string, std::string> m_known;
};

} // namespace qx::sysinfo
