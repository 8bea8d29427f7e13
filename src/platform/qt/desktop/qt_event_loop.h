#pragma once

// The program's event loop on QApplication: posted tasks are queued events
// of the application object, run in order by the main loop or by any nested
// loop.

#include "platform/event_loop.h"

namespace qx::platform {

class QtEventLoop final : public EventLoop {
public:
    void Post(std::function<void()> task) override;
    void Run() override;
    void Quit() override;
};

} // namespace qx::platform
