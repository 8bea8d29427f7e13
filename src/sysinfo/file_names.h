#pragma once

// File-name tests shared by the module list and the product files.

#include <string_view>

namespace qx::sysinfo {

// True when `name` has at least two characters and they are "QX" upper-cased:
// a file of the Orvane environment.
bool IsProductFileName(std::string_view name);

// True when `name` ends in ".EXE", without regard to case.
bool IsExeName(std::string_view name);

// The part of a module path after its last "/" or "\\": module paths are Unix
// paths, or Windows paths for the programs run by Wine.
std::string_view ModuleFileName(std::string_view path);

} // namespace qx::sysinfo
