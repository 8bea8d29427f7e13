#pragma once

// Opening a file that another process names (a mapped file of /proc/PID/maps)
// without trusting the name: it must be a regular file before and after the
// open, the open never follows a final symbolic link and never blocks, so a
// device node, a FIFO, a socket or a link swapped in for the file is refused
// and never opened.

#include "platform/posix/descriptor_io.h"

#include <cstdint>
#include <span>
#include <string>

namespace qx::platform {

// The regular file at `path`, read-only; an invalid descriptor for anything else.
UniqueFd OpenRegularFile(const std::string& path);

// How many first bytes tell an image's kind.
inline constexpr std::size_t kImageHeadSize = 4;

// What the first bytes of an executable file say it is.
enum class ImageKind {
    None, // not a regular file, or neither header
    Elf,  // "\x7F" "ELF": a Linux executable or shared library
    Pe,   // "MZ": a Windows executable or DLL
};

// The kind that the first bytes of a file say.
ImageKind ImageKindOf(std::span<const std::uint8_t> head);

// The kind of the regular file at `path`, opened as OpenRegularFile does.
ImageKind ImageKindOf(const std::string& path);

// True when `path` names a regular file (a final symbolic link not followed).
bool IsRegularFile(const std::string& path);

} // namespace qx::platform
