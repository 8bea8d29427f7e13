// What the fuzz targets that read files share: a private folder that holds
// each input as a file, and a check that stops the run with its reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qx::fuzz {

class FuzzWorkspace {
public:
    explicit FuzzWorkspace(const char* name)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        m_dir = pattern;
    }
    ~FuzzWorkspace() { std::filesystem::remove_all(m_dir); }
    FuzzWorkspace(const FuzzWorkspace&) = delete;
    FuzzWorkspace& operator=(const FuzzWorkspace&) = delete;

    std::string File(const char* name) const { return m_dir + "/" + name; }

    // The input as the file "input.qxr", replaced at every call.
    std::string WriteInput(const std::uint8_t* data, std::size_t size) const
    {
        const std::string path = File("input.qxr");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path;
    }

private:
    std::string m_dir;
};

inline void Require(bool condition, const char* target, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "%s: %s\n", target, what);
    std::abort();
}

} // namespace qx::fuzz
