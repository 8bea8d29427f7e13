#pragma once

// The incident marker: an arrow whose tip is the picked point and whose
// shaft runs down and to the right, outlined in black (one pixel) and
// filled with white, drawn into the kept screen image. Points outside the
// image are cut off at its edges.

#include "bitmap/incident_point.h"
#include "platform/bitmap.h"

#include <array>
#include <cstddef>

namespace qx::bitmap {

inline constexpr std::size_t kMarkerPointCount = 7;

// The printed report's scale: an arrow of 50 by 50 pixels.
inline constexpr float kMarkerScale = 2.0f;

// The seven corners around `tip` at scale `s`, computed in floating point
// and truncated toward zero.
std::array<IncidentPoint, kMarkerPointCount> IncidentMarkerPoints(IncidentPoint tip, float s);

// Draws the closed, filled polygon of the seven corners into `bitmap`.
void DrawIncidentMarker(Bitmap& bitmap, IncidentPoint tip, float s);

} // namespace qx::bitmap
