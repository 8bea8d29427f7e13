#pragma once

// A private directory for unpacking, made under $TMPDIR (or /tmp) and
// removed with its contents when the object goes.

#include <string>

namespace qxr {

class WorkDirectory {
public:
    WorkDirectory();
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    bool Made() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace qxr
