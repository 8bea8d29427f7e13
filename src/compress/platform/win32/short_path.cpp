#include "compress/platform/short_path.h"

#include <vector>

#include "compress/platform/win32/windows_api.h"

namespace qx::compress {

std::size_t BuildShortPath(const std::string& path, std::string& out, std::size_t maxLength)
{
    out.clear();
    if (path.empty()) return 0;
    // A bare drive stands for its root.
    const std::string full = path.size() == 2 && path[1] == ':' ? path + '\\' : path;
    const win32::CriticalErrorBoxesOff quiet;
    const DWORD needed = GetShortPathNameA(full.c_str(), nullptr, 0);
    if (needed == 0) return 0;
    std::vector<char> buffer(needed);
    const DWORD length = GetShortPathNameA(full.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed || length > maxLength) return 0;
    out.assign(buffer.data(), length);
    return out.size();
}

} // namespace qx::compress
