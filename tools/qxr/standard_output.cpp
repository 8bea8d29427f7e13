#include "standard_output.h"

#include <cerrno>
#include <cstdio>

#include "qxr_report/file_problem.h"

namespace qxr {

bool WriteStandardOutput(const char* command, std::string_view text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return true;
    const int reason = errno;
    std::fprintf(stderr, "qxr %s: impossible d'écrire sur la sortie standard : %s\n", command,
                 reason != 0 ? FrenchReason(reason).c_str() : "erreur d'écriture");
    return false;
}

} // namespace qxr
