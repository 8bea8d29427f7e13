#pragma once

// The incident marker: an arrow whose tip is the picked point and whose
// shaft runs down and to the right (or, near the image's right or bottom
// edge, back into the image), outlined in black (one pixel) and filled with
// white, drawn into the kept screen image. Points outside the image are cut
// off at its edges.

#include "bitmap/incident_point.h"
#include "platform/bitmap.h"

#include <array>
#include <cstddef>

namespace qx::bitmap {

inline constexpr std::size_t kMarkerPointCount = 7;

// The printed report's scale: an arrow of 50 by 50 pixels.
inline constexpr float kMarkerScale = 2.0f;

// The arrow spans 25 units of s across and down from its tip.
inline constexpr float kMarkerSpan = 25.0f;

// Where the shaft runs from the tip.
enum class Horizontal { Right, Left };
enum class Vertical { Down, Up };
struct Shaft {
    Horizontal horizontal = Horizontal::Right;
    Vertical vertical = Vertical::Down;
    friend bool operator==(const Shaft&, const Shaft&) = default;
};

// The seven corners around `tip` at scale `s`, computed in floating point
// and truncated toward zero; the shaft mirrored as `shaft` says.
std::array<IncidentPoint, kMarkerPointCount> IncidentMarkerPoints(IncidentPoint tip, float s, Shaft shaft = {});

// Draws the closed, filled polygon of the seven corners into `bitmap`.
void DrawIncidentMarker(Bitmap& bitmap, IncidentPoint tip, float s, Shaft shaft = {});

// The tip kept inside a `width` by `height` image, and a shaft that runs
// into the image: down and right unless the arrow would leave it there, so
// a pick at the last pixel still shows the whole arrow with its tip on it.
struct PlacedMarker {
    IncidentPoint tip;
    Shaft shaft;
};
PlacedMarker PlaceMarkerInside(IncidentPoint pick, float s, int width, int height);

} // namespace qx::bitmap
