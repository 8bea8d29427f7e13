#pragma once

// A real volume for failure tests: a private tmpfs of a few kilobytes (it
// fills up) or a read-only one (nothing can be created on it), mounted in a
// child process's own mount namespace so that nothing outside the test sees it.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace qx::test {

enum class VolumeMode {
    Writable,
    ReadOnly,
};

// Runs `body` in a child process with the volume mounted at a fresh
// directory, whose path it gets; returns the exit code that `body` returns,
// or nothing when the system allows no private mount (the caller skips).
std::optional<int> RunOnSmallVolume(std::size_t bytes, VolumeMode mode, const std::function<int(const std::string&)>& body);

} // namespace qx::test
