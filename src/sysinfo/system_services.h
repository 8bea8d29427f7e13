#pragma once

// The platform services the system-information steps work over. The program
// takes them from a LocalSystemServices (platform/posix); tests put doubles in.

#include "platform/file_reader.h"
#include "platform/file_store.h"
#include "platform/process_source.h"
#include "platform/program_runner.h"
#include "platform/version_source.h"

#include <string>

namespace qx::sysinfo {

// Which rules turn a process's module list into a process entry.
enum class Provider {
    Nt,    // the first module is the executable; every later module is listed
    Win95, // the first ".EXE" module is the executable; ".EXE" modules are never listed
};

struct SystemServices {
    const platform::VersionSource& version;
    platform::ProcessSource& processes;
    Provider provider;
    // The program's own executable file name, whose processes are left out.
    std::string ownExecutableName;
    platform::FileReader& files;
    // Reads the files that running processes name (their modules), which are
    // never reached through a symbolic link.
    platform::FileReader& moduleFiles;
    // Creates and removes the temporary file of the 16-bit list.
    platform::FileStore& store;
    platform::ProgramRunner& programs;
};

} // namespace qx::sysinfo
