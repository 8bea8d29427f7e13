#pragma once

// A point of the kept screen image, in image pixels: the picked incident
// point and the corners of the marker drawn at it. A pick that was cancelled
// (right button, or the pick surface was lost) leaves x at -1.

namespace qx {

struct IncidentPoint {
    int x = -1;
    int y = 0;

    bool IsPicked() const { return x != -1; }
    friend bool operator==(const IncidentPoint&, const IncidentPoint&) = default;
};

} // namespace qx
