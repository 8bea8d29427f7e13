#pragma once

// A private directory under $TMPDIR (or /tmp) that is removed with everything
// in it when the object goes.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace qx::test {

class ScratchDir {
public:
    ScratchDir()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qx-test-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace qx::test
