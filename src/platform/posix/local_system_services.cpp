#include "platform/posix/local_system_services.h"

#include "platform/posix/linux_version_source.h"
#include "platform/posix/posix_file_reader.h"
#include "platform/posix/posix_file_store.h"
#include "platform/posix/posix_program_runner.h"
#include "platform/posix/proc_process_source.h"
#include "text/path_parts.h"

namespace qx::platform {

struct LocalSystemServices::Parts {
    LinuxVersionSource version;
    ProcProcessSource processes;
    PosixFileReader files;
    PosixFileReader moduleFiles{FinalLink::Refuse};
    PosixFileStore store;
    PosixProgramRunner programs;
    // /proc gives every process's modules as the NT provider sees them.
    sysinfo::SystemServices services{version, processes, sysinfo::Provider::Nt,
                                     text::FileNamePart(OwnExecutablePath()), files, moduleFiles, store,
                                     programs};
};

LocalSystemServices::LocalSystemServices() : m_parts(std::make_unique<Parts>()) {}

LocalSystemServices::~LocalSystemServices() = default;

const sysinfo::SystemServices& LocalSystemServices::Services() const
{
    return m_parts->services;
}

} // namespace qx::platform
