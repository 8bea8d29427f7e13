#pragma once

// One watching copy of the program per user.

#include <functional>

namespace qx::platform {

enum class InstanceClaim {
    First,          // no other copy runs: this one now answers later starts
    AlreadyRunning, // another copy runs and has been asked to raise its window
};

class SingleInstance {
public:
    virtual ~SingleInstance() = default;

    // As First, `onRaiseRequested` runs whenever a later copy starts.
    virtual InstanceClaim Claim(std::function<void()> onRaiseRequested) = 0;
};

} // namespace qx::platform
