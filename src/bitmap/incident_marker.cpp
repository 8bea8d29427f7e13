#include "bitmap/incident_marker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace qx::bitmap {

namespace {

// Corners of the arrow in units of s, from the tip: (dx, dy).
constexpr float kCorners[kMarkerPointCount][2] = {
    {0, 0}, {0, 15}, {5, 10}, {15, 25}, {25, 15}, {10, 5}, {15, 0},
};

constexpr Rgb kOutline{0, 0, 0};
constexpr Rgb kFill{255, 255, 255};

// Pixels whose centres lie inside the polygon (alternate filling), row by row.
void FillPolygon(Bitmap& bitmap, const std::array<IncidentPoint, kMarkerPointCount>& points)
{
    const auto [minIt, maxIt] =
        std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; });
    const int top = std::max(minIt->y, 0);
    const int bottom = std::min(maxIt->y, bitmap.height - 1);
    std::vector<double> crossings;
    for (int row = top; row <= bottom; ++row) {
        const double centre = row + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const IncidentPoint a = points[i];
            const IncidentPoint b = points[(i + 1) % points.size()];
            if ((a.y <= centre) == (b.y <= centre)) continue;
            crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int first = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int last = static_cast<int>(std::ceil(crossings[i + 1] - 0.5)) - 1;
            for (int column = std::max(first, 0); column <= std::min(last, bitmap.width - 1); ++column) {
                SetPixelColor(bitmap, column, row, kFill);
            }
        }
    }
}

// A one-pixel line, both ends included.
void DrawLine(Bitmap& bitmap, IncidentPoint from, IncidentPoint to)
{
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    IncidentPoint at = from;
    while (true) {
        SetPixelColor(bitmap, at.x, at.y, kOutline);
        if (at == to) break;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
}

// Truncation toward zero, kept far inside the range of int so that a point
// near its limits still gives corners (clipped away later) without overflow.
int TruncateCoordinate(double value)
{
    constexpr double kLimit = 1 << 30;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

} // namespace

std::array<IncidentPoint, kMarkerPointCount> IncidentMarkerPoints(IncidentPoint tip, float s, Shaft shaft)
{
    const float sx = shaft.horizontal == Horizontal::Right ? s : -s;
    const float sy = shaft.vertical == Vertical::Down ? s : -s;
    std::array<IncidentPoint, kMarkerPointCount> points{};
    for (std::size_t i = 0; i < kMarkerPointCount; ++i) {
        points[i] = IncidentPoint{TruncateCoordinate(static_cast<float>(tip.x) + kCorners[i][0] * sx),
                                  TruncateCoordinate(static_cast<float>(tip.y) + kCorners[i][1] * sy)};
    }
    return points;
}

PlacedMarker PlaceMarkerInside(IncidentPoint pick, float s, int width, int height)
{
    const IncidentPoint tip{std::clamp(pick.x, 0, std::max(width - 1, 0)), std::clamp(pick.y, 0, std::max(height - 1, 0))};
    const int span = static_cast<int>(std::ceil(kMarkerSpan * s));
    // Away from the far edge when the arrow would cross it and there is more
    // room on the near side.
    const auto away = [span](int at, int size) { return at + span > size - 1 && at > size - 1 - at; };
    return {tip,
            {away(tip.x, width) ? Horizontal::Left : Horizontal::Right,
             away(tip.y, height) ? Vertical::Up : Vertical::Down}};
}

void DrawIncidentMarker(Bitmap& bitmap, IncidentPoint tip, float s, Shaft shaft)
{
    if (bitmap.IsNull()) return;
    const auto points = IncidentMarkerPoints(tip, s, shaft);
    FillPolygon(bitmap, points);
    for (std::size_t i = 0; i < points.size(); ++i) DrawLine(bitmap, points[i], points[(i + 1) % points.size()]);
}

} // namespace qx::bitmap
