#include "qxr_report/report_archive_reader.h"

#include <qxcompress.h>

#include "bitmap/bmp_layout.h"
#include "qxr_report/file_problem.h"

#include <array>
#include <cstdio>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace qxr {
namespace {

ReportError FromExtractCode(int code)
{
    switch (code) {
    case QXCOMPRESS_EXTRACT_DONE: return ReportError::None;
    case QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN: return ReportError::ArchiveMissing;
    case QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE: return ReportError::ArchiveUnread;
    case QXCOMPRESS_EXTRACT_VOLUME_FULL: return ReportError::VolumeFull;
    default: return ReportError::ArchiveDamaged;
    }
}

constexpr std::uint64_t kMaxReportFileBytes = kMaxReportBitmapBytes + kMaxReportTextBytes;

std::optional<std::uint64_t> FileSize(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

// The bytes the unpacked report file takes, as the archive declares them:
// the source size of a packed archive, the archive's own length for a plain
// copy; an error when the archive cannot be opened.
ReportError UnpackedSize(const std::string& archivePath, std::uint64_t& size)
{
    const std::int64_t sourceSize = llTailleSource(archivePath.c_str());
    if (sourceSize == QXCOMPRESS_SIZE_CANNOT_OPEN) return ReportError::ArchiveMissing;
    const auto ownSize = FileSize(archivePath);
    if (!ownSize) return ReportError::ArchiveMissing;
    size = sourceSize >= 0 ? static_cast<std::uint64_t>(sourceSize) : *ownSize;
    return ReportError::None;
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

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Checks the bitmap's own header against the limits before anything more
// is read: its length, its pixels and the length of the text after it.
ReportError CheckBitmapHeader(std::span<const std::uint8_t> start, std::uint64_t fileSize, std::size_t& bitmapLength)
{
    using namespace qx::bitmap;
    if (start.size() < kFileHeaderSize + kInfoHeaderSize || start[0] != 'B' || start[1] != 'M')
        return ReportError::NoBitmap;
    const std::uint64_t length = Le32(start.data() + kOffFileSize);
    if (length < kFileHeaderSize + kInfoHeaderSize || length > fileSize) return ReportError::NoBitmap;
    const auto width = static_cast<std::int32_t>(Le32(start.data() + kFileHeaderSize + kOffWidth));
    const auto height = static_cast<std::int32_t>(Le32(start.data() + kFileHeaderSize + kOffHeight));
    const std::uint64_t pixels = static_cast<std::uint64_t>(width < 0 ? -std::int64_t{width} : width) *
                                 static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
    if (length > kMaxReportBitmapBytes || pixels > kMaxReportPixels || fileSize - length > kMaxReportTextBytes)
        return ReportError::TooLarge;
    bitmapLength = static_cast<std::size_t>(length);
    return ReportError::None;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads the unpacked report file, within the limits.
ReportError ReadReportFile(const std::string& path, ReportFile& report)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    const auto size = FileSize(path);
    if (!file || !size) return ReportError::NoWorkFile;
    if (*size > kMaxReportFileBytes) return ReportError::TooLarge;
    report.bytes.resize(static_cast<std::size_t>(*size));
    if (std::fread(report.bytes.data(), 1, report.bytes.size(), file.get()) != report.bytes.size())
        return ReportError::NoWorkFile;
    std::size_t length = 0;
    if (const ReportError error = CheckBitmapHeader(report.bytes, *size, length); error != ReportError::None)
        return error;
    qx::bitmap::ReadResult bitmap = qx::bitmap::ReadBmpFile(std::span(report.bytes).first(length));
    if (bitmap.error != qx::bitmap::ReadError::None) return ReportError::NoBitmap;
    report.bitmapLength = length;
    report.image = std::move(bitmap.image);
    return ReportError::None;
}

} // namespace

ReportResult ReadReportArchive(const std::string& archivePath, const std::string& workDirectory)
{
    ReportResult result;
    std::uint64_t unpacked = 0;
    result.error = UnpackedSize(archivePath, unpacked);
    if (result.error != ReportError::None) return result;
    // A small archive may claim gigabytes: refused before a byte is written.
    if (unpacked > kMaxReportFileBytes) {
        result.error = ReportError::TooLarge;
        return result;
    }
    if (!HasRoomFor(workDirectory, unpacked)) {
        result.error = ReportError::VolumeFull;
        return result;
    }
    const WorkFile work(workDirectory);
    if (!work.Made()) {
        result.error = ReportError::NoWorkFile;
        return result;
    }
    result.error = FromExtractCode(nfDecompacte(0, 0, archivePath.c_str(), work.Path().c_str()));
    // A plain copy that cannot be written gets the code of a damaged archive;
    // a volume without room for the report file is then the likely cause.
    if (result.error == ReportError::ArchiveDamaged && !HasRoomFor(workDirectory, unpacked))
        result.error = ReportError::VolumeFull;
    if (result.error == ReportError::None) result.error = ReadReportFile(work.Path(), result.report);
    if (result.error != ReportError::None) result.report = ReportFile{};
    return result;
}

// " : " and the reason, when the system still gives one.
static std::string Reason(const std::string& path)
{
    const std::string reason = InputProblem(path);
    return reason.empty() ? std::string{} : " : " + reason;
}

std::string DescribeReportError(ReportError error, const std::string& archivePath)
{
    const std::string name = "\"" + archivePath + "\"";
    switch (error) {
    case ReportError::None: return {};
    case ReportError::ArchiveMissing:
        return "Impossible d'ouvrir l'archive " + name + Reason(archivePath) + ".";
    case ReportError::ArchiveDamaged:
        return "L'archive " + name + " est endommagée : son contenu ne peut pas être décompressé.";
    case ReportError::ArchiveUnread:
        return "Impossible de lire l'archive " + name + Reason(archivePath) + ".";
    case ReportError::VolumeFull:
        return "Le disque est plein : impossible de décompresser l'archive " + name + ".";
    case ReportError::NoWorkFile:
        return "Impossible de créer ou de relire un fichier temporaire pour décompresser l'archive " + name + ".";
    case ReportError::NoBitmap:
        return "L'archive " + name +
               " ne contient pas de rapport QXBêta : l'image d'écran est absente ou endommagée.";
    case ReportError::TooLarge:
        return "L'archive " + name +
               " annonce un rapport trop grand (au plus 64 Mio d'image, 16 777 216 pixels et 4 Mio de texte) : "
               "elle n'est pas lue.";
    }
    return {};
}

} // namespace qxr
