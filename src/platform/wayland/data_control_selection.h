#pragma once

// The clipboard of a Wayland seat as a clipboard manager sees it, through
// the wlr-data-control protocol: the compositor tells such a client of every
// new selection, focused or not, which is what the capture watcher needs.
// The owner dispatches events when Fd() is readable.

#include "platform/wayland/wayland_connection.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::platform::wayland {

class DataControlSelection {
public:
    // Nothing when $WAYLAND_DISPLAY names no compositor, or it offers no
    // data control or no seat.
    static std::unique_ptr<DataControlSelection> Open();

    ~DataControlSelection();
    DataControlSelection(const DataControlSelection&) = delete;
    DataControlSelection& operator=(const DataControlSelection&) = delete;

    // The connection's descriptor, readable when events wait.
    int Fd() const;
    // Reads and handles the waiting events; false once the connection is
    // broken.
    bool Dispatch();

    // Runs after each new selection (also the first one, told on binding).
    void OnChange(std::function<void()> onChange);

    // The MIME types of the current selection.
    std::vector<std::string> MimeTypes() const;
    // The current selection's data as `mimeType`; nothing when the source
    // sends nothing within `patience` or the selection is empty.
    std::optional<std::vector<std::uint8_t>> Receive(const std::string& mimeType,
                                                     std::chrono::milliseconds patience) const;

    struct State;

private:
    explicit DataControlSelection(DisplayConnection display);

    DisplayConnection m_display;
    std::unique_ptr<State> m_state;
};

} // namespace qx::platform::wayland
