#pragma once

// After the report archive is written: the tester's mail program opened on a
// new message to the support address, subject "Rapport Bêta <archive name>",
// with the archive attached. Where that cannot be done the archive stays
// where it was written and a message says where it is and whom to send it to.

#include "config/profile.h"
#include "platform/mail_composer.h"
#include "report/email/email_ui.h"

#include <string>

namespace qx::report {

enum class HandoverOutcome {
    Composed,    // the mail program took the message
    SwitchedOff, // EMALAUTO begins with "0": nothing done
    Explained,   // no mail program: text 158 shown
};

// The message for the archive at `archivePath` (the system's bytes).
platform::MailMessage SupportMessage(const std::string& archivePath);

HandoverOutcome HandOverArchive(const std::string& archivePath, const config::Profile& profile,
                                platform::MailComposer& composer, EmailUi& ui);

} // namespace qx::report
