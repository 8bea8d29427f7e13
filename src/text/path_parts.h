#pragma once

// The parts of a "/"-separated path as plain strings, for paths the program
// builds and takes apart itself. Header-only, so that libqxcompress uses it
// without linking anything.

#include <string>
#include <string_view>

namespace qx::text {

// The part after the last "/", or the whole path when it has none.
inline std::string FileNamePart(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The part before the last "/": "." when there is none, "/" for a name in the
// root directory.
inline std::string DirectoryOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

// `name` inside `directory`, with one "/" between them whether or not the
// directory ends with one.
inline std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (!path.ends_with('/')) path += '/';
    path += name;
    return path;
}

} // namespace qx::text
