#include "qxr_report/report_archive_reader.h"

#include <qxcompress.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/statvfs.h>
#include <unistd.h>

namespace qxr {
namespace {

ReportError FromExtractCode(int code)
{
    switch (code) {
    case QXCOMPRESS_EXTRACT_DONE:
        return ReportError::None;
    case QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN:
        return ReportError::ArchiveMissing;
    case QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE:
        return ReportError::ArchiveUnread;
    case QXCOMPRESS_EXTRACT_VOLUME_FULL:
        return ReportError::VolumeFull;
    default:
        return ReportError::ArchiveDamaged;
    }
}

// The bytes the unpacked report file takes: the source size of a packed
// archive, the archive's own length for a plain copy.
std::uintmax_t UnpackedSize(const std::string& archivePath)
{
    const std::int64_t sourceSize = llTailleSource(archivePath.c_str());
    if (sourceSize >= 0) return static_cast<std::uintmax_t>(sourceSize);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(archivePath, error);
    return error ? 0 : size;
}

bool HasRoomFor(const std::string& directory, std::uintmax_t bytes)
{
    struct statvfs volume {};
    if (::statvfs(directory.c_str(), &volume) != 0) return true;
    return static_cast<std::uintmax_t>(volume.f_bavail) * volume.f_frsize >= bytes;
}

// A new empty file in the directory, removed when the object goes.
class WorkFile {
public:
    explicit WorkFile(const std::string& directory) : m_path(directory + "/.qxr-XXXXXX")
    {
        const int fd = ::mkstemp(m_path.data());
        if (fd < 0) {
            m_path.clear();
        } else {
            ::close(fd);
        }
    }
    ~WorkFile()
    {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    bool Made() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

ReportResult ReadReportArchive(const std::string& archivePath, const std::string& workDirectory)
{
    ReportResult result;
    const WorkFile work(workDirectory);
    if (!work.Made()) {
        result.error = ReportError::NoWorkFile;
        return result;
    }
    result.error = FromExtractCode(nfDecompacte(0, 0, archivePath.c_str(), work.Path().c_str()));
    // A plain copy that cannot be written gets the code of a damaged archive;
    // a volume without room for the report file is then the likely cause.
    if (result.error == ReportError::ArchiveDamaged && !HasRoomFor(workDirectory, UnpackedSize(archivePath)))
        result.error = ReportError::VolumeFull;
    if (result.error != ReportError::None) return result;

    std::ifstream in(work.Path(), std::ios::binary);
    result.report.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::optional<std::size_t> length = qx::bitmap::BitmapFileLength(result.report.bytes);
    qx::bitmap::ReadResult bitmap;
    if (length) bitmap = qx::bitmap::ReadBmpFile(std::span(result.report.bytes).first(*length));
    if (!length || bitmap.error != qx::bitmap::ReadError::None) {
        result.error = ReportError::NoBitmap;
        result.report = ReportFile{};
        return result;
    }
    result.report.bitmapLength = *length;
    result.report.image = std::move(bitmap.image);
    return result;
}

std::string DescribeReportError(ReportError error, const std::string& archivePath)
{
    const std::string name = "\"" + archivePath + "\"";
    switch (error) {
    case ReportError::None:
        return {};
    case ReportError::ArchiveMissing:
        return "Impossible d'ouvrir l'archive " + name + ".";
    case ReportError::ArchiveDamaged:
        return "L'archive " + name + " est endommagée : son contenu ne peut pas être décompressé.";
    case ReportError::ArchiveUnread:
        return "Impossible de lire l'archive " + name + ".";
    case ReportError::VolumeFull:
        return "Le disque est plein : impossible de décompresser l'archive " + name + ".";
    case ReportError::NoWorkFile:
        return "Impossible de créer un fichier temporaire pour décompresser l'archive " + name + ".";
    case ReportError::NoBitmap:
        return "L'archive " + name + " ne contient pas de rapport QXBêta : l'image d'écran est absente ou endommagée.";
    }
    return {};
}

} // namespace qxr
