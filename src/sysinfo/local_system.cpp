#include "sysinfo/sysinfo.h"

#include "platform/posix/linux_version_source.h"
#include "platform/posix/posix_file_reader.h"
#include "platform/posix/posix_file_store.h"
#include "platform/posix/posix_program_runner.h"
#include "platform/posix/proc_process_source.h"
#include "sysinfo/file_names.h"

namespace qx::sysinfo {

struct LocalSystem::Parts {
    platform::LinuxVersionSource version;
    platform::ProcProcessSource processes;
    platform::PosixFileReader files;
    platform::PosixFileStore store;
    platform::PosixProgramRunner programs;
    // /proc gives every process's modules as the NT provider sees them.
    SystemServices services{version, processes, Provider::Nt, FileNamePart(platform::OwnExecutablePath()),
                            files, store, programs};
};

LocalSystem::LocalSystem() : m_parts(std::make_unique<Parts>()) {}

LocalSystem::~LocalSystem() = default;

const SystemServices& LocalSystem::Services() const
{
    return m_parts->services;
}

} // namespace qx::sysinfo
