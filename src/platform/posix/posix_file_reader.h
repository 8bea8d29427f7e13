#pragma once

// FileReader over POSIX descriptors and directory streams.

#include "platform/file_reader.h"

namespace qx::platform {

class PosixFileReader final : public FileReader {
public:
    // Regular files only: a directory, a FIFO or a device is not opened (a
    // FIFO would block the caller).
    std::unique_ptr<ReadableFile> OpenRead(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& pattern) override;
};

} // namespace qx::platform
