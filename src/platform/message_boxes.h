#pragma once

// The platform's message boxes with no owner window: the start-up messages.

#include <optional>
#include <string>

namespace qx::platform {

enum class MessageIcon {
    Exclamation,
    Information,
};

enum class MessageModality {
    Application, // the box blocks this program's windows
    Task,        // every top-level window of the program, owned or not
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // One OK button; returns when the box is closed. `text` is Windows-1252
    // with "\r\n" line ends; without a caption the platform shows its own
    // error title.
    virtual void Show(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon,
                      MessageModality modality) = 0;
};

} // namespace qx::platform
