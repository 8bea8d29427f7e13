// qxr unpack ARCHIVE [DEST]: extracts the member of an archive.
#include <cstdio>

#include "command.h"
#include "qxcompress.h"

namespace {

const char* UnpackMessage(int code)
{
    switch (code) {
    case QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN: return "impossible d'ouvrir l'archive";
    case QXCOMPRESS_EXTRACT_FAILED: return "l'extraction a échoué (sortie impossible à créer ou à écrire, nom de sortie refusé, ou archive endommagée)";
    case QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE: return "impossible de lire le premier octet de l'archive";
    case QXCOMPRESS_EXTRACT_VOLUME_FULL: return "le volume de destination est plein";
    default: return "erreur inconnue";
    }
}

// Whether the archive holds a packed member (as opposed to a plain copy,
// which is its own content and has no stored name).
bool HoldsPackedMember(const std::string& archive)
{
    return llTailleSource(archive.c_str()) >= 0;
}

int RunUnpack(const std::vector<std::string>& args)
{
    if (args.empty() || args.size() > 2) {
        std::fputs("Usage: qxr unpack ARCHIVE [DEST]\n", stderr);
        return 64;
    }
    const std::string& archive = args[0];
    int code = QXCOMPRESS_EXTRACT_DONE;
    if (args.size() == 2) {
        code = nfDecompacte(0, 0, archive.c_str(), args[1].c_str());
    } else if (HoldsPackedMember(archive)) {
        // Archives come from elsewhere: never the stored directories, only
        // the stored file name, in the current directory.
        code = nfDecompacte(0, 0, archive.c_str(), "./");
    } else {
        code = nfDecompacte(0, 0, archive.c_str(), nullptr);
        if (code == QXCOMPRESS_EXTRACT_DONE) std::printf("%s : archive non compressée, elle est déjà le fichier d'origine\n", archive.c_str());
    }
    if (code != QXCOMPRESS_EXTRACT_DONE) std::fprintf(stderr, "qxr unpack: %s : %s\n", archive.c_str(), UnpackMessage(code));
    return code;
}

} // namespace

QXR_COMMAND(unpack, "unpack", "extrait le fichier contenu dans une archive",
            "Usage: qxr unpack ARCHIVE [DEST]\n\n"
            "Extrait le fichier contenu dans l'archive ARCHIVE.\n"
            "Sans DEST, il est écrit dans le dossier courant sous le dernier élément du\n"
            "nom enregistré dans l'archive (jamais sous les dossiers enregistrés). Avec\n"
            "DEST, un chemin terminé par \"/\" est un dossier qui reçoit le dernier élément\n"
            "du nom enregistré ; tout autre chemin est le fichier de sortie lui-même.\n"
            "Une copie simple (archive que la compression n'a pas rendue plus petite) est\n"
            "son propre contenu : sans DEST rien n'est écrit ; avec DEST, DEST doit être un\n"
            "fichier existant, qui reçoit les octets de l'archive.\n\n"
            "Codes de sortie :\n"
            "  0   extrait\n"
            "  1   l'archive ne peut pas être ouverte\n"
            "  2   l'extraction a échoué ou l'archive est endommagée\n"
            "  4   le premier octet de l'archive ne peut pas être lu\n"
            "  7   le volume de destination est plein\n"
            " 64   arguments incorrects\n",
            RunUnpack);
