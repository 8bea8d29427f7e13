#pragma once

// A FileStore in memory: records every file's bytes and the size of every
// write, and can stand for a volume that fills up after a number of bytes or
// a system that reports a failed close.

#include "platform/file_store.h"

#include <cstdio>
#include <limits>
#include <map>
#include <vector>

namespace qx::test {

class MemoryFileStore final : public platform::FileStore {
public:
    // Bytes the volume still takes; a write beyond them stores only the rest.
    std::size_t freeBytes = std::numeric_limits<std::size_t>::max();
    bool failClose = false;

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::size_t> writeSizes;

    std::unique_ptr<platform::OutputFile> Open(const std::string& path, platform::OpenMode mode) override
    {
        auto& bytes = files[path];
        if (mode == platform::OpenMode::Replace) bytes.clear();
        return std::make_unique<File>(*this, bytes);
    }

    std::optional<std::string> CreateTempFile(const std::string& directory, const std::string& prefix) override
    {
        for (unsigned n = 1; n <= 0xFFFF; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "%04X.TMP", n);
            const std::string path = directory + "/" + prefix + name;
            if (files.emplace(path, std::vector<std::uint8_t>{}).second) return path;
        }
        return std::nullopt;
    }

    bool Remove(const std::string& path) override { return files.erase(path) == 1; }

    // Directories are not held, so every non-empty path stands for itself.
    std::optional<std::string> ShortPath(const std::string& path) override
    {
        if (path.empty()) return std::nullopt;
        return path;
    }

private:
    class File final : public platform::OutputFile {
    public:
        File(MemoryFileStore& store, std::vector<std::uint8_t>& bytes) : m_store(store), m_bytes(bytes) {}
        std::size_t Write(std::span<const std::uint8_t> data) override
        {
            m_store.writeSizes.push_back(data.size());
            const std::size_t stored = std::min(data.size(), m_store.freeBytes);
            m_bytes.insert(m_bytes.end(), data.begin(), data.begin() + stored);
            m_store.freeBytes -= stored;
            return stored;
        }
        bool Close() override { return !m_store.failClose; }

    private:
        MemoryFileStore& m_store;
        std::vector<std::uint8_t>& m_bytes;
    };
};

} // namespace qx::test
