// qxr size FILE: the size an archive or tagged file declares.
#include <cstdio>

#include "command.h"
#include "qxcompress.h"

namespace {

int RunSize(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs("Usage: qxr size FILE\n", stderr);
        return 64;
    }
    const std::int32_t size = lfTailleCompacte(0, args[0].c_str());
    if (size == QXCOMPRESS_SIZE_CANNOT_OPEN) {
        std::fprintf(stderr, "qxr size: %s : impossible d'ouvrir le fichier\n", args[0].c_str());
        return 1;
    }
    if (size == QXCOMPRESS_SIZE_NOT_AN_ARCHIVE) {
        std::fprintf(stderr, "qxr size: %s : ce fichier n'est ni une archive compressée ni un fichier marqué\n",
                     args[0].c_str());
        return 2;
    }
    std::printf("%ld\n", static_cast<long>(size));
    return 0;
}

} // namespace

QXR_COMMAND(size, "size", "affiche la longueur d'une archive ou la taille d'un fichier marqué",
            "Usage: qxr size FILE\n\n"
            "Affiche la longueur complète d'une archive compressée (sa taille compressée\n"
            "+ 286), ou le champ de taille d'un fichier marqué (\"MKALMORELZCS@\").\n\n"
            "Codes de sortie :\n"
            "  0   la taille a été affichée\n"
            "  1   le fichier ne peut pas être ouvert\n"
            "  2   le fichier n'est ni une archive compressée ni un fichier marqué (une\n"
            "      copie simple par exemple), ou son premier octet ne peut pas être lu\n"
            " 64   arguments incorrects\n",
            RunSize);
