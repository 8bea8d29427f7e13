#include "sysinfo/line_reader.h"

#include <cstring>

namespace qx::sysinfo {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

bool LineReader::Fill()
{
    if (m_ended) return false;
    m_buffer.resize(kChunk);
    const std::size_t got = m_file.ReadAt(m_offset, m_buffer);
    m_buffer.resize(got);
    m_offset += got;
    m_pos = 0;
    m_ended = got == 0;
    return got != 0;
}

std::optional<std::string> LineReader::Next()
{
    std::string line;
    while (line.size() < kMaxLine) {
        if (m_pos == m_buffer.size() && !Fill()) break;
        const char c = static_cast<char>(m_buffer[m_pos++]);
        line += c;
        if (c == '\n') break;
    }
    if (line.empty()) return std::nullopt;
    line.resize(std::strlen(line.c_str()));
    return line;
}

} // namespace qx::sysinfo
