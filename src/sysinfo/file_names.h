#pragma once

// File-name tests shared by the module list and the product files.

#include <string>
#include <string_view>

namespace qx::sysinfo {

// True when `name` has at least two characters and they are "QX" upper-cased:
// a file of the Orvane environment.
bool IsProductFileName(std::string_view name);

// True when `name` ends in ".EXE", without regard to case.
bool IsExeName(std::string_view name);

// The part of `path` after its last "/", or the whole path when it has none.
std::string FileNamePart(const std::string& path);

// ASCII letters folded to lower case, every other byte compared as unsigned.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

// The letters a to z made A to Z; every other byte kept.
std::string UpperAscii(std::string_view text);

} // namespace qx::sysinfo
