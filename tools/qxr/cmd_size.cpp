// qxr size FILE: the size an archive or tagged file declares.
#include <string>

#include "command.h"
#include "exit_codes.h"
#include "qxcompress.h"
#include "qxr_report/file_problem.h"
#include "standard_output.h"

namespace {

const char kUsage[] =
    "Usage : qxr size FICHIER\n\n"
    "Affiche la longueur complète d'une archive compressée (sa taille compressée\n"
    "+ 286), ou le champ de taille d'un fichier marqué (\"MKALMORELZCS@\"). Une copie\n"
    "simple n'a pas de taille déclarée ; une taille de plus de 2 147 483 647 octets\n"
    "est refusée (code 65).\n";

int RunSize(const std::vector<std::string>& args)
{
    if (args.size() != 1) return qxr::WrongArguments(kUsage);
    const std::string& path = args[0];
    const std::int32_t size = lfTailleCompacte(0, path.c_str());
    switch (size) {
    case QXCOMPRESS_SIZE_CANNOT_OPEN:
        return qxr::Fail("size", path, "impossible d'ouvrir le fichier", qxr::InputProblem(path), qxr::kExitNoInput);
    case QXCOMPRESS_SIZE_NOT_AN_ARCHIVE: {
        const std::string reason = qxr::InputProblem(path);
        if (!reason.empty()) return qxr::Fail("size", path, "impossible de lire le fichier", reason, qxr::kExitNoInput);
        return qxr::Fail("size", path, "ce fichier n'est ni une archive compressée ni un fichier marqué", "",
                         qxr::kExitDataError);
    }
    case QXCOMPRESS_SIZE_TOO_LARGE:
        return qxr::Fail("size", path, "la taille déclarée dépasse 2 147 483 647 octets", "", qxr::kExitDataError);
    default: break;
    }
    return qxr::WriteStandardOutput("size", std::to_string(size) + "\n") ? qxr::kExitOk : qxr::kExitCannotWrite;
}

} // namespace

QXR_COMMAND(size, "size", "affiche la longueur d'une archive ou la taille d'un fichier marqué", kUsage, RunSize);
