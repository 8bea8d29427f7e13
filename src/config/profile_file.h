#pragma once

// Finding the profile's file without regard to the case of its name. Reading
// and replacing it are the platform's (platform/whole_files.h).

#include <filesystem>
#include <string_view>

namespace qx::config {

// The entry of `directory` named `name` without regard to case ("ORVANE.INI"
// for "Orvane.ini"); the exact spelling wins, then the first in name order.
// `directory / name` when there is none (or the directory cannot be listed).
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& directory, std::string_view name);

} // namespace qx::config
