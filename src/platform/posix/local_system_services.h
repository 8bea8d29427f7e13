#pragma once

// The system-information services of this machine: uname and os-release,
// /proc, posix_spawn, the POSIX file system. The desktop program and the qxr
// sysinfo command build one and hand its Services() to the sysinfo steps.

#include "sysinfo/system_services.h"

#include <memory>

namespace qx::platform {

class LocalSystemServices {
public:
    LocalSystemServices();
    ~LocalSystemServices();
    LocalSystemServices(const LocalSystemServices&) = delete;
    LocalSystemServices& operator=(const LocalSystemServices&) = delete;

    const sysinfo::SystemServices& Services() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace qx::platform
