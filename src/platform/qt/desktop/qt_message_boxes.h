#pragma once

// The start-up messages as Qt message boxes without an owner window.

#include "platform/message_boxes.h"

namespace qx::platform {

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon,
              MessageModality modality) override;
};

} // namespace qx::platform
