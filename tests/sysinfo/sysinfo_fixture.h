#pragma once

// Services for the system-information steps made of test doubles, and the
// report's texts as the steps write them.

#include "platform/posix/posix_file_store.h"
#include "support/fake_process_source.h"
#include "support/fake_program_runner.h"
#include "support/fixed_version_source.h"
#include "support/memory_file_reader.h"
#include "sysinfo/system_services.h"

#include <string>

namespace qx::test {

struct FakeSystem {
    FixedVersionSource version;
    FakeProcessSource processes;
    MemoryFileReader files;
    platform::PosixFileStore store;
    FakeProgramRunner programs;

    sysinfo::SystemServices Services(sysinfo::Provider provider = sysinfo::Provider::Nt,
                                     const std::string& ownName = "qxbeta")
    {
        return {version, processes, provider, ownName, files, files, store, programs};
    }
};

} // namespace qx::test
