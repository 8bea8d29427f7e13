#pragma once

// The program's one thread of events: tasks posted to it run later, in the
// order they were posted, from the main loop or from any nested loop
// (modal dialogs, the pick).

#include <functional>

namespace qx::platform {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    virtual void Post(std::function<void()> task) = 0;

    // Runs until Quit; every posted task is run in turn.
    virtual void Run() = 0;
    virtual void Quit() = 0;
};

} // namespace qx::platform
