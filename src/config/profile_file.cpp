#include "config/profile_file.h"

#include "config/name_case.h"

#include <optional>
#include <system_error>

namespace qx::config {

namespace fs = std::filesystem;

fs::path FindFileIgnoringCase(const fs::path& directory, std::string_view name)
{
    std::optional<fs::path> best;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (entry == name) return it->path();
        if (EqualIgnoringCase(entry, name) && (!best || entry < best->filename().string())) best = it->path();
    }
    return best ? *best : directory / fs::path(std::string(name));
}

} // namespace qx::config
