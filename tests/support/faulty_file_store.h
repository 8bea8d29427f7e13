#pragma once

// A FileStore over another one that fails where a test asks: opening for
// appending, a write after a number of bytes (a short write, as a filling
// volume gives), or the closing of a file opened for appending.

#include "platform/file_store.h"

#include <algorithm>
#include <limits>

namespace qx::test {

class FaultyFileStore final : public platform::FileStore {
public:
    explicit FaultyFileStore(platform::FileStore& inner) : m_inner(inner) {}

    bool failAppendOpen = false;
    bool failAppendClose = false;
    // Bytes written through files opened for appending before writes come up short.
    std::size_t appendBytesLeft = std::numeric_limits<std::size_t>::max();

    std::unique_ptr<platform::OutputFile> Open(const std::string& path, platform::OpenMode mode) override
    {
        if (mode == platform::OpenMode::Append && failAppendOpen) return nullptr;
        std::unique_ptr<platform::OutputFile> file = m_inner.Open(path, mode);
        if (!file) return nullptr;
        return std::make_unique<File>(*this, std::move(file), mode);
    }

    std::optional<std::string> CreateTempFile(const std::string& directory, const std::string& prefix) override
    {
        return m_inner.CreateTempFile(directory, prefix);
    }

    bool Remove(const std::string& path) override { return m_inner.Remove(path); }

    std::optional<std::string> ShortPath(const std::string& path) override { return m_inner.ShortPath(path); }

private:
    class File final : public platform::OutputFile {
    public:
        File(FaultyFileStore& store, std::unique_ptr<platform::OutputFile> inner, platform::OpenMode mode)
            : m_store(store), m_inner(std::move(inner)), m_mode(mode)
        {
        }
        std::size_t Write(std::span<const std::uint8_t> bytes) override
        {
            if (m_mode != platform::OpenMode::Append) return m_inner->Write(bytes);
            const std::size_t allowed = std::min(bytes.size(), m_store.appendBytesLeft);
            m_store.appendBytesLeft -= allowed;
            return m_inner->Write(bytes.first(allowed));
        }
        bool Close() override { return m_inner->Close() && !(m_mode == platform::OpenMode::Append && m_store.failAppendClose); }

    private:
        FaultyFileStore& m_store;
        std::unique_ptr<platform::OutputFile> m_inner;
        platform::OpenMode m_mode;
    };

    platform::FileStore& m_inner;
};

} // namespace qx::test
