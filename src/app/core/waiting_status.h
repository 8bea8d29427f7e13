#pragma once

// What the status area says of the waiting program: that it waits for a
// screenshot and, when the last clipboard image was not taken, that image's
// size and the sizes an image is taken at, so a tester sees why nothing
// opened. An image taken since clears the refusal.

#include "platform/desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::app {

struct CaptureRefusal {
    platform::Size image;
    // The sizes the image would have been taken at, in the order they were checked.
    std::vector<platform::Size> accepted;
    friend bool operator==(const CaptureRefusal&, const CaptureRefusal&) = default;
};

class WaitingStatus {
public:
    void OnImageRefused(CaptureRefusal refusal) { m_lastRefusal = std::move(refusal); }
    void OnImageTaken() { m_lastRefusal.reset(); }

    const std::optional<CaptureRefusal>& LastRefusal() const { return m_lastRefusal; }

    // Text 151; after a refusal also texts 152 and 153 with the sizes, each
    // on a line of its own. Windows-1252.
    std::string ToolTip() const;

private:
    std::optional<CaptureRefusal> m_lastRefusal;
};

// "1920 × 1080".
std::string SizeText(platform::Size size);

} // namespace qx::app
