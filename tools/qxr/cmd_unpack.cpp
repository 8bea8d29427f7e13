// qxr unpack ARCHIVE [DEST]: extracts the member of an archive. The library
// is never given a null destination (it would write to the stored path):
// without DEST the output is the stored name's last component here.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "command.h"
#include "exit_codes.h"
#include "qxcompress.h"
#include "qxr_report/file_problem.h"

namespace {

const char kUsage[] =
    "Usage : qxr unpack ARCHIVE [DEST]\n\n"
    "Extrait le fichier contenu dans l'archive ARCHIVE (un fichier ordinaire).\n"
    "Sans DEST, il est écrit dans le dossier courant sous le dernier élément du\n"
    "nom enregistré dans l'archive (jamais sous les dossiers enregistrés). Avec\n"
    "DEST, un dossier existant ou un chemin terminé par \"/\" reçoit le dernier\n"
    "élément du nom enregistré ; tout autre chemin est le fichier de sortie\n"
    "lui-même. Un fichier de sortie qui existe doit être un fichier ordinaire.\n"
    "Une copie simple (archive que la compression n'a pas rendue plus petite) est\n"
    "son propre contenu et n'enregistre aucun nom : sans DEST rien n'est écrit ;\n"
    "avec DEST, le fichier DEST (créé s'il n'existe pas) reçoit les octets de\n"
    "l'archive.\n";

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

int ExtractFailure(int code, const std::string& archive, const std::string& output)
{
    switch (code) {
    case QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN:
        return qxr::Fail("unpack", archive, "impossible d'ouvrir l'archive", qxr::InputProblem(archive),
                         qxr::kExitNoInput);
    case QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE:
        return qxr::Fail("unpack", archive, "impossible de lire l'archive", qxr::InputProblem(archive),
                         qxr::kExitNoInput);
    case QXCOMPRESS_EXTRACT_VOLUME_FULL:
        return qxr::Fail("unpack", output, "impossible d'écrire la sortie", "le volume est plein",
                         qxr::kExitCannotWrite);
    default: break;
    }
    const std::string reason = output.ends_with('/') ? qxr::FolderProblem(output) : qxr::OutputProblem(output);
    if (!reason.empty())
        return qxr::Fail("unpack", output, "impossible d'écrire la sortie", reason, qxr::kExitCannotWrite);
    return qxr::Fail("unpack", archive,
                     "l'extraction a échoué : archive endommagée, ou nom enregistré qui ne désigne pas un fichier",
                     "", qxr::kExitDataError);
}

// A plain copy: the library copies into an existing file only, so a missing
// DEST is made here first, and taken away again if the copy fails.
int UnpackPlainCopy(const std::string& archive, const std::string& dest)
{
    if (IsDirectory(dest) || dest.ends_with('/'))
        return qxr::Fail("unpack", dest, "une copie simple n'enregistre aucun nom : DEST doit être un fichier", "",
                         qxr::kExitUsage);
    bool made = false;
    if (!Exists(dest)) {
        const int fd = ::open(dest.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return qxr::Fail("unpack", dest, "impossible de créer la sortie", qxr::FrenchReason(errno),
                             qxr::kExitCannotWrite);
        ::close(fd);
        made = true;
    }
    const int code = nfDecompacte(0, 0, archive.c_str(), dest.c_str());
    if (code == QXCOMPRESS_EXTRACT_DONE) return qxr::kExitOk;
    const int status = ExtractFailure(code, archive, dest);
    if (made) ::unlink(dest.c_str());
    return status;
}

int RunUnpack(const std::vector<std::string>& args)
{
    if (args.empty() || args.size() > 2) return qxr::WrongArguments(kUsage);
    const std::string& archive = args[0];
    const std::int64_t sourceSize = llTailleSource(archive.c_str());
    if (sourceSize == QXCOMPRESS_SIZE_CANNOT_OPEN) return ExtractFailure(QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN, archive, "");
    const bool plainCopy = sourceSize < 0;
    if (plainCopy) {
        if (const std::string reason = qxr::InputProblem(archive); !reason.empty())
            return qxr::Fail("unpack", archive, "impossible de lire l'archive", reason, qxr::kExitNoInput);
        if (args.size() == 1) {
            std::printf("\"%s\" : archive non compressée, elle est déjà le fichier d'origine\n", archive.c_str());
            return std::fflush(stdout) == 0 ? qxr::kExitOk : qxr::kExitCannotWrite;
        }
        return UnpackPlainCopy(archive, args[1]);
    }
    std::string dest = args.size() == 2 ? args[1] : "./";
    if (IsDirectory(dest) && !dest.ends_with('/')) dest += '/';
    const int code = nfDecompacte(0, 0, archive.c_str(), dest.c_str());
    return code == QXCOMPRESS_EXTRACT_DONE ? qxr::kExitOk : ExtractFailure(code, archive, dest);
}

} // namespace

QXR_COMMAND(unpack, "unpack", "extrait le fichier contenu dans une archive", kUsage, RunUnpack);
