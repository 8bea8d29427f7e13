#pragma once

// A MailComposer that records the messages it is given and answers as told.

#include "platform/mail_composer.h"

#include <vector>

namespace qx::test {

class RecordingMailComposer final : public platform::MailComposer {
public:
    bool accepts = true;
    std::vector<platform::MailMessage> messages;

    bool Compose(const platform::MailMessage& message) override
    {
        messages.push_back(message);
        return accepts;
    }
};

} // namespace qx::test
