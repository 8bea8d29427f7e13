#include "compress/platform/short_path.h"

#include <sys/stat.h>

#include "compress/platform/file_ops.h"

namespace qx::compress {

std::size_t BuildShortPath(const std::string& path, std::string& out, std::size_t maxLength)
{
    out.clear();
    struct stat info {};
    if (path.empty() || path.size() > maxLength || CurrentFileOps().StatPath(path.c_str(), info) != 0) return 0;
    out = path;
    return out.size();
}

} // namespace qx::compress
