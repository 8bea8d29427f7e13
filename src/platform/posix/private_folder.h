#pragma once

// Where a program may keep what only its own user may reach (the
// single-instance socket): the user's runtime directory $XDG_RUNTIME_DIR,
// or, when that is unset, a folder "qxbeta-<uid>" in the temporary
// directory ($TMPDIR, else /tmp) that is made for the purpose.

#include <optional>
#include <string>

#include <sys/types.h>

namespace qx::platform {

// True when `path` is a directory itself (not a link to one) owned by
// `user` that no other user may enter (mode 0700 or narrower).
bool IsPrivateFolder(const std::string& path, uid_t user);

// The folder: $XDG_RUNTIME_DIR when it is set and private to `user`;
// otherwise the temporary-directory folder, made with mode 0700 when it
// does not exist. Nothing when that folder exists but is not private to
// `user` (another user made it, or it is a link or open to others): such a
// folder is never used.
std::optional<std::string> PrivateRuntimeFolder(uid_t user);

// True when `path` is a socket owned by `user`.
bool IsSocketOf(const std::string& path, uid_t user);

// The user id of the process at the other end of the connected local
// socket `descriptor` (SO_PEERCRED); nothing when it cannot be read.
std::optional<uid_t> PeerUser(int descriptor);

} // namespace qx::platform
