#pragma once

// A FileReader over files held in memory. It counts the bytes read from each
// file, so tests can see how much of a file a reader looked at.

#include "platform/file_reader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qx::test {

class MemoryReadableFile final : public platform::ReadableFile {
public:
    MemoryReadableFile(const std::vector<std::uint8_t>& bytes, std::size_t* bytesRead)
        : m_bytes(bytes), m_bytesRead(bytesRead)
    {
    }

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override
    {
        if (offset >= m_bytes.size()) return 0;
        const std::size_t n = std::min<std::uint64_t>(into.size(), m_bytes.size() - offset);
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, into.begin());
        if (m_bytesRead) *m_bytesRead += n;
        return n;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t* m_bytesRead;
};

class MemoryFileReader final : public platform::FileReader {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::map<std::string, std::size_t> bytesRead;
    std::map<std::string, int> opens;

    void Add(const std::string& path, std::vector<std::uint8_t> bytes) { files[path] = std::move(bytes); }

    std::unique_ptr<platform::ReadableFile> OpenRead(const std::string& path) override
    {
        ++opens[path];
        const auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::make_unique<MemoryReadableFile>(it->second, &bytesRead[path]);
    }

    // Every held file directly in the pattern's directory, in path order; the
    // mask is not applied (tests give only the files they mean to list).
    std::vector<std::string> FindFiles(const std::string& pattern) override
    {
        const std::string directory = pattern.substr(0, pattern.rfind('/') + 1);
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files)
            if (path.starts_with(directory) && path.find('/', directory.size()) == std::string::npos)
                names.push_back(path.substr(directory.size()));
        return names;
    }
};

} // namespace qx::test
