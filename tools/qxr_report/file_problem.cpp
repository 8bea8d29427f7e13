#include "qxr_report/file_problem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace qxr {
namespace {

// What kind of entry stands at a path, when it is not a regular file.
std::string KindProblem(mode_t mode)
{
    if (S_ISDIR(mode)) return "c'est un dossier, pas un fichier";
    if (S_ISFIFO(mode)) return "c'est un tube (pipe), pas un fichier ordinaire";
    if (S_ISSOCK(mode)) return "c'est une socket, pas un fichier ordinaire";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "c'est un périphérique, pas un fichier ordinaire";
    return {};
}

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string FrenchReason(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT: return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM: return "permission refusée";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier, pas un fichier";
    case ENAMETOOLONG: return "nom de fichier trop long";
    case ELOOP: return "trop de liens symboliques";
    case ENOSPC: return "plus de place sur le volume";
    case EDQUOT: return "quota de disque dépassé";
    case EROFS: return "volume en lecture seule";
    case EIO: return "erreur d'entrée-sortie";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case ENOMEM: return "mémoire insuffisante";
    case EEXIST: return "le fichier existe déjà";
    case ETXTBSY:
    case EBUSY: return "fichier occupé";
    case EFBIG: return "fichier trop grand";
    case ENXIO:
    case ENODEV: return "périphérique absent ou sans lecteur";
    case EPIPE: return "tube fermé par le lecteur";
    case EBADF: return "descripteur de fichier invalide (sortie fermée ?)";
    default: return std::strerror(errnoValue);
    }
}

std::string InputProblem(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FrenchReason(errno);
    if (!S_ISREG(info.st_mode)) return KindProblem(info.st_mode);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FrenchReason(errno);
    char byte = 0;
    const bool read = ::read(fd, &byte, 1) >= 0;
    const int readErrno = errno;
    ::close(fd);
    return read ? std::string{} : FrenchReason(readErrno);
}

std::string OutputProblem(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return KindProblem(info.st_mode);
        return ::access(path.c_str(), W_OK) == 0 ? std::string{} : FrenchReason(errno);
    }
    if (errno != ENOENT) return FrenchReason(errno);
    return FolderProblem(FolderOf(path));
}

std::string FolderProblem(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return "dossier \"" + folder + "\" : " + FrenchReason(errno);
    if (!S_ISDIR(info.st_mode)) return "\"" + folder + "\" n'est pas un dossier";
    if (::access(folder.c_str(), W_OK) != 0) return "dossier \"" + folder + "\" : " + FrenchReason(errno);
    return {};
}

bool HasRoomFor(const std::string& path, unsigned long long bytes)
{
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0 && ::statvfs(FolderOf(path).c_str(), &volume) != 0) return true;
    return static_cast<unsigned long long>(volume.f_bavail) * volume.f_frsize >= bytes;
}

} // namespace qxr
