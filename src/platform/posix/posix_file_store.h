#pragma once

// FileStore over POSIX file descriptors.

#include "platform/file_store.h"

namespace qx::platform {

class PosixFileStore final : public FileStore {
public:
    std::unique_ptr<OutputFile> Open(const std::string& path, OpenMode mode) override;
    std::optional<std::string> CreateTempFile(const std::string& directory, const std::string& prefix) override;
    bool Remove(const std::string& path) override;
    // POSIX names have no short form: the path itself.
    std::optional<std::string> ShortPath(const std::string& path) override;
};

} // namespace qx::platform
