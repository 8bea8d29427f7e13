#include "qxr_report/work_directory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qxr {

WorkDirectory::WorkDirectory()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qxr-XXXXXX";
    if (::mkdtemp(pattern.data())) m_path = pattern;
}

WorkDirectory::~WorkDirectory()
{
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

} // namespace qxr
