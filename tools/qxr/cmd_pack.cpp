// qxr pack SOURCE ARCHIVE: packs one file into an archive.
#include <cstdio>

#include "command.h"
#include "qxcompress.h"

namespace {

const char* PackMessage(int code)
{
    switch (code) {
    case QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN: return "impossible d'ouvrir le fichier source (ou son chemin dépasse 268 caractères)";
    case QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE: return "impossible de créer l'archive (ou elle désigne le fichier source lui-même)";
    case QXCOMPRESS_COMPACT_WRITE_FAILED: return "l'écriture de l'archive a échoué";
    case QXCOMPRESS_COMPACT_NO_MEMORY: return "mémoire insuffisante";
    case QXCOMPRESS_COMPACT_VOLUME_FULL: return "le volume de l'archive est plein";
    default: return "erreur inconnue";
    }
}

int RunPack(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("Usage: qxr pack SOURCE ARCHIVE\n", stderr);
        return 64;
    }
    const int code = nfCompacte(0, args[0].c_str(), args[1].c_str());
    if (code != QXCOMPRESS_COMPACT_WRITTEN) std::fprintf(stderr, "qxr pack: %s : %s\n", args[1].c_str(), PackMessage(code));
    return code;
}

} // namespace

QXR_COMMAND(pack, "pack", "compresse un fichier dans une archive",
            "Usage: qxr pack SOURCE ARCHIVE\n\n"
            "Compresse SOURCE dans ARCHIVE, qui est remplacée. Quand la compression ne\n"
            "rend pas le fichier plus petit, l'archive est une copie simple de la source.\n"
            "Le chemin SOURCE est enregistré tel quel dans l'archive. Après un échec,\n"
            "l'archive est laissée telle quelle.\n\n"
            "Codes de sortie :\n"
            "  0   archive écrite\n"
            "  1   la source ne peut pas être ouverte (ou son chemin dépasse 268 caractères)\n"
            "  2   l'archive ne peut pas être créée (ou désigne la source elle-même)\n"
            "  4   l'écriture a échoué alors que le volume avait de la place\n"
            "  5   mémoire insuffisante\n"
            "  7   le volume est plein (ou sa place libre ne peut pas être connue)\n"
            " 64   arguments incorrects\n",
            RunPack);
