#pragma once

// MailComposer through xdg-email (xdg-utils), which hands the message to the
// desktop's mailer (the x-scheme-handler/mailto application).

#include "platform/mail_composer.h"

#include <chrono>

namespace qx::platform {

class XdgMailComposer final : public MailComposer {
public:
    // How long xdg-email is waited for. Some mailers keep it in the
    // foreground for as long as they run; one still running at the limit has
    // taken the message and is left running.
    explicit XdgMailComposer(std::chrono::milliseconds limit = std::chrono::seconds(10)) : m_limit(limit) {}

    bool Compose(const MailMessage& message) override;

private:
    std::chrono::milliseconds m_limit;
};

} // namespace qx::platform
