#pragma once

// The picked incident point in image pixels; x is -1 when the pick was
// cancelled (right button, or the pick surface was lost).

namespace qx::report {

struct IncidentPoint {
    int x = -1;
    int y = 0;

    bool IsPicked() const { return x != -1; }
    friend bool operator==(const IncidentPoint&, const IncidentPoint&) = default;
};

} // namespace qx::report
