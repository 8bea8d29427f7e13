// qxr pack SOURCE ARCHIVE: packs one file into an archive.
#include <cstdio>

#include "command.h"
#include "exit_codes.h"
#include "qxcompress.h"
#include "qxr_report/file_problem.h"

namespace {

const char kUsage[] =
    "Usage : qxr pack SOURCE ARCHIVE\n\n"
    "Compresse SOURCE (un fichier ordinaire) dans ARCHIVE, qui est remplacée. Quand\n"
    "la compression ne rend pas le fichier plus petit, l'archive est une copie\n"
    "simple de la source. Le chemin SOURCE, au plus 268 octets, est enregistré tel\n"
    "quel dans l'archive. Après un échec d'écriture, l'archive est laissée telle\n"
    "quelle.\n";

int RunPack(const std::vector<std::string>& args)
{
    if (args.size() != 2) return qxr::WrongArguments(kUsage);
    const std::string& source = args[0];
    const std::string& archive = args[1];
    switch (nfCompacte(0, source.c_str(), archive.c_str())) {
    case QXCOMPRESS_COMPACT_WRITTEN: return qxr::kExitOk;
    case QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN:
        if (source.size() > QXCOMPRESS_MAX_PATH_LENGTH)
            return qxr::Fail("pack", source, "chemin source de plus de 268 octets", "", qxr::kExitNoInput);
        return qxr::Fail("pack", source, "impossible d'ouvrir le fichier source", qxr::InputProblem(source),
                         qxr::kExitNoInput);
    case QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE: {
        const std::string reason = qxr::OutputProblem(archive);
        return qxr::Fail("pack", archive, "impossible de créer l'archive",
                         reason.empty() ? "elle désigne peut-être le fichier source lui-même" : reason,
                         qxr::kExitCannotWrite);
    }
    case QXCOMPRESS_COMPACT_NO_MEMORY: return qxr::Fail("pack", archive, "mémoire insuffisante", "", qxr::kExitNoMemory);
    case QXCOMPRESS_COMPACT_VOLUME_FULL:
        return qxr::Fail("pack", archive, "l'écriture de l'archive a échoué", "le volume est plein",
                         qxr::kExitCannotWrite);
    default: return qxr::Fail("pack", archive, "l'écriture de l'archive a échoué", "", qxr::kExitCannotWrite);
    }
}

} // namespace

QXR_COMMAND(pack, "pack", "compresse un fichier dans une archive", kUsage, RunPack);
