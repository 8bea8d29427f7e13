#include "report/email/mail_handover.h"

#include "config/keys.h"
#include "config/notices.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp1252.h"

namespace qx::report {
namespace {

std::string FileName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Replace(std::string& text, std::string_view marker, const std::string& value)
{
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
}

} // namespace

platform::MailMessage SupportMessage(const std::string& archivePath)
{
    std::string subject = text::Cp1252ToUtf8(res::LoadResString(res::kMailSubject));
    Replace(subject, "%1", FileName(archivePath));
    return {text::Cp1252ToUtf8(res::LoadResString(res::kSupportAddress)), subject, archivePath};
}

HandoverOutcome HandOverArchive(const std::string& archivePath, const config::Profile& profile,
                                platform::MailComposer& composer, EmailUi& ui)
{
    if (!config::IsNoticeEnabled(profile, config::kKeyMailCompose)) return HandoverOutcome::SwitchedOff;
    if (composer.Compose(SupportMessage(archivePath))) return HandoverOutcome::Composed;

    std::string message = res::LoadResString(res::kMsgMailNotComposed);
    Replace(message, "%2", res::LoadResString(res::kSupportAddress));
    Replace(message, "%1", text::Utf8ToCp1252(archivePath));
    ui.ShowMessage(message);
    return HandoverOutcome::Explained;
}

} // namespace qx::report
