// The coordinate space of the GDI: on Windows coordinates of drawing calls, regions and block
// transfers are 28-bit signed numbers, and a call that goes beyond them fails.
#pragma once

#include "platform/api/types.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace sim {

constexpr int64_t coordinate_limit = int64_t(1) << 27;

constexpr bool is_in_coordinate_space(int64_t value)
{
    return value >= -coordinate_limit && value < coordinate_limit;
}

// Both ends of a run of `extent` pixels from `start`, computed without overflow.
constexpr bool is_run_in_coordinate_space(int64_t start, int64_t extent)
{
    return is_in_coordinate_space(start) && is_in_coordinate_space(start + extent);
}

constexpr bool is_rect_in_coordinate_space(int64_t x, int64_t y, int64_t width, int64_t height)
{
    return is_run_in_coordinate_space(x, width) && is_run_in_coordinate_space(y, height);
}

constexpr int clamped_to_coordinate_space(int64_t value)
{
    return static_cast<int>(std::clamp(value, -coordinate_limit, coordinate_limit - 1));
}

// The smallest rectangle holding every point (right and bottom included); `points` is not empty.
inline RECT bounds_of(std::span<const POINT> points)
{
    RECT bounds { points[0].x, points[0].y, points[0].x, points[0].y };
    for (auto& point : points) {
        bounds.left = std::min(bounds.left, point.x);
        bounds.right = std::max(bounds.right, point.x);
        bounds.top = std::min(bounds.top, point.y);
        bounds.bottom = std::max(bounds.bottom, point.y);
    }
    return bounds;
}

// Curves and polygons are built row by row; a taller one cannot be had, as Windows runs out of
// room for its rectangles long before.
constexpr int64_t max_shape_rows = int64_t(1) << 20;

constexpr bool is_possible_shape(const RECT& bounds)
{
    return is_in_coordinate_space(bounds.left) && is_in_coordinate_space(bounds.right)
        && is_in_coordinate_space(bounds.top) && is_in_coordinate_space(bounds.bottom)
        && std::abs(int64_t(bounds.bottom) - bounds.top) <= max_shape_rows;
}

}
