#pragma once

// Opening the user's mail program with a new message, ready to be sent.

#include <string>

namespace qx::platform {

struct MailMessage {
    std::string to;         // UTF-8
    std::string subject;    // UTF-8
    std::string attachment; // a path, the system's bytes
};

class MailComposer {
public:
    virtual ~MailComposer() = default;

    // True when the mail program took the message; false when there is no
    // mail program set up or it could not be started.
    virtual bool Compose(const MailMessage& message) = 0;
};

} // namespace qx::platform
