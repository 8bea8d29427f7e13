#pragma once

// The E-mail command: the report file (the kept screen image as a bitmap
// file, then the report text) made in a temporary file and packed into the
// archive the tester chooses, and the report number advanced.

#include "config/profile.h"
#include "platform/bitmap.h"
#include "platform/file_store.h"
#include "platform/mail_composer.h"
#include "report/email/email_ui.h"
#include "report/report_record.h"

#include <string>

namespace qx::report {

struct EmailServices {
    EmailUi& ui;
    platform::FileStore& files;
    const config::Profile& profile;
    const Bitmap& screen; // the kept screen image, written unchanged
    platform::MailComposer& mail; // opens the message to support (mail_handover.h)
    // Where the temporary report file is made: the current directory, which
    // the save dialog has just made the archive's folder. Its path as made
    // ("./QX1A2B.TMP") is the archive member's name.
    std::string tempFolder = ".";
};

enum class ArchiveOutcome {
    Written,        // archive made, report number advanced
    Cancelled,      // the save dialog did not end with OK
    TempFileFailed, // no temporary file: text 138 shown
    OpenFailed,     // the report file could not be opened to append: text 140 shown
    BitmapFailed,   // the bitmap file could not be written completely
    TextFailed,     // a write or the closing of the report text failed
    PackFailed,     // nfCompacte returned a non-zero code
};

// The temporary file's name prefix.
inline constexpr const char* kTempPrefix = "QX";

// Steps 4 to 16 of the E-mail command: default name, save dialog, temporary
// file, pick, busy window, bitmap, text, packing, report number; then, with
// the busy window closed, the archive handed over to the mail program
// (HandOverArchive), whose failure leaves the archive and the number as they
// are. Any failure
// after the temporary file was made deletes it (and the archive, once
// nfCompacte may have created it), shows its message and leaves the report
// number as it was; the temporary file never stays behind.
ArchiveOutcome WriteReportArchive(const CReportRecord& record, EmailServices& services);

// The whole command: the e-mail notice unless switched off, the identity
// saved, then WriteReportArchive.
ArchiveOutcome RunEmailCommand(const CReportRecord& record, EmailServices& services);

} // namespace qx::report
