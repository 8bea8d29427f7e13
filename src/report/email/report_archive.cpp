#include "report/email/report_archive.h"

#include "bitmap/write_screen_bitmap.h"
#include "config/keys.h"
#include "config/notices.h"
#include "report/email/archive_name.h"
#include "report/email/report_text.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <qxcompress.h>

#include <memory>

namespace qx::report {
namespace {

// nfCompacte codes after which it created no archive file of its own.
bool CreatedNoArchive(int code)
{
    return code == QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN || code == QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE;
}

// Deletes the temporary report file when the command ends, on every path.
class TempFile {
public:
    TempFile(platform::FileStore& files, std::string path) : m_files(files), m_path(std::move(path)) {}
    ~TempFile() { Remove(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }

    void Remove()
    {
        if (!m_removed) m_files.Remove(m_path);
        m_removed = true;
    }

private:
    platform::FileStore& m_files;
    std::string m_path;
    bool m_removed = false;
};

// The busy window's end on a failure: the wait cursor off and the busy
// window closed before the message, which would otherwise open under it.
ArchiveOutcome EndWithMessage(EmailUi& ui, TempFile& temp, res::StringId textId, ArchiveOutcome outcome)
{
    temp.Remove();
    ui.SetWaitCursor(WaitCursor::Off);
    ui.CloseBusyWindow();
    ui.ShowMessage(LoadResString(textId));
    return outcome;
}

bool WriteTextAndClose(platform::OutputFile& file, const CReportRecord& record)
{
    const bool written = WriteReportText(file, record);
    return file.Close() && written;
}

} // namespace

ArchiveOutcome WriteReportArchive(const CReportRecord& record, EmailServices& s)
{
    const std::string defaultName =
        DefaultArchiveName(record.m_identity.m_strSerial, config::ReadReportNumber(s.profile));
    const std::optional<std::string> archivePath = s.ui.AskArchivePath(defaultName);
    if (!archivePath) return ArchiveOutcome::Cancelled;

    const std::optional<std::string> tempPath = s.files.CreateTempFile(s.tempFolder, kTempPrefix);
    if (!tempPath) {
        s.ui.ShowMessage(LoadResString(res::kMsgTempFileError));
        return ArchiveOutcome::TempFileFailed;
    }
    TempFile temp(s.files, *tempPath);

    s.ui.PickIncidentPoint();
    s.ui.OpenBusyWindow();
    s.ui.SetWaitCursor(WaitCursor::On);

    if (!bitmap::WriteScreenBitmap(s.screen, s.files, temp.Path()))
        return EndWithMessage(s.ui, temp, res::kMsgArchiveFailed, ArchiveOutcome::BitmapFailed);

    const std::unique_ptr<platform::OutputFile> file = s.files.Open(temp.Path(), platform::OpenMode::Append);
    if (!file) return EndWithMessage(s.ui, temp, res::kMsgCannotOpenFile, ArchiveOutcome::OpenFailed);
    if (!WriteTextAndClose(*file, record))
        return EndWithMessage(s.ui, temp, res::kMsgArchiveFailed, ArchiveOutcome::TextFailed);

    const int code = nfCompacte(0, temp.Path().c_str(), archivePath->c_str());
    if (code != QXCOMPRESS_COMPACT_WRITTEN) {
        if (!CreatedNoArchive(code)) s.files.Remove(*archivePath);
        return EndWithMessage(s.ui, temp, res::kMsgArchiveFailed, ArchiveOutcome::PackFailed);
    }

    temp.Remove();
    config::IncrementReportNumber(s.profile);
    s.ui.CloseBusyWindow();
    s.ui.SetWaitCursor(WaitCursor::Off);
    return ArchiveOutcome::Written;
}

ArchiveOutcome RunEmailCommand(const CReportRecord& record, EmailServices& s)
{
    if (config::IsNoticeEnabled(s.profile, config::kKeyMailNotice)) s.ui.ShowMailNotice();
    s.ui.SaveIdentity();
    return WriteReportArchive(record, s);
}

} // namespace qx::report
