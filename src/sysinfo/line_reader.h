#pragma once

// Lines of a file read as the C library's fgets reads them in binary mode
// into a buffer of 260 characters: at most 259 bytes, up to and including a
// line feed; a longer line comes in pieces. A line ends at a zero byte inside
// it, as the text functions that take it see it.

#include "platform/file_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx::sysinfo {

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 259;

    explicit LineReader(platform::ReadableFile& file) : m_file(file) {}

    // The next line, or nothing at the end of the file.
    std::optional<std::string> Next();

private:
    bool Fill();

    platform::ReadableFile& m_file;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_pos = 0;
    std::uint64_t m_offset = 0;
    bool m_ended = false;
};

} // namespace qx::sysinfo
