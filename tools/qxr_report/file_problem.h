#pragma once

// Why a file cannot be used, in French, for the tool's messages: the
// library answers with a status code only, so the tool asks the system
// again about the path at fault.

#include <string>

namespace qxr {

// The system's reason for `errnoValue`, in French for the usual causes
// ("fichier ou dossier introuvable", "permission refusée", ...), the
// system's own text otherwise.
std::string FrenchReason(int errnoValue);

// Why `path` cannot be read as a regular file, or "" when it can: missing,
// refused, a directory, a pipe, a device or a socket. Never waits on a pipe.
std::string InputProblem(const std::string& path);

// Why a regular file cannot be created or written at `path`, or "" when
// nothing is found against it: an existing entry that is not a regular
// file, a missing or read-only folder.
std::string OutputProblem(const std::string& path);

// Why files cannot be made in the folder `folder`, or "" when it is a
// folder that may be written.
std::string FolderProblem(const std::string& folder);

// Whether the volume that holds `path` (or its folder, when it does not
// exist yet) has `bytes` free; true when the system does not tell.
bool HasRoomFor(const std::string& path, unsigned long long bytes);

} // namespace qxr
