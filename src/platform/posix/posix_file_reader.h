#pragma once

// FileReader over POSIX descriptors and directory streams.

#include "platform/file_reader.h"

namespace qx::platform {

// How OpenRead treats a symbolic link that a path ends in.
enum class FinalLink {
    Follow, // files the tester named (the installation directory)
    Refuse, // files other processes name (their mapped modules): safe_open.h
};

class PosixFileReader final : public FileReader {
public:
    explicit PosixFileReader(FinalLink links = FinalLink::Follow) : m_links(links) {}

    // Regular files only: a directory, a FIFO or a device is not read (a
    // FIFO would block the caller, a device may act on being opened).
    std::unique_ptr<ReadableFile> OpenRead(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& pattern) override;

private:
    FinalLink m_links;
};

} // namespace qx::platform
