// Signed distances to the shapes the artwork is made of (negative inside), and the coverage
// of a pixel by a shape, which gives every edge one pixel of anti-aliasing.
#pragma once

#include "resources/tool/colour.h"

#include <algorithm>
#include <cmath>

namespace artwork {

struct Box {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    float width() const { return right - left; }
    float height() const { return bottom - top; }
    Box inset(float amount) const { return { left + amount, top + amount, right - amount, bottom - amount }; }
};

struct Corners {
    float top_left = 0;
    float top_right = 0;
    float bottom_right = 0;
    float bottom_left = 0;
};

inline Corners all_corners(float radius)
{
    return { radius, radius, radius, radius };
}

inline float rounded_box_distance(float x, float y, Box box, Corners corners)
{
    float centre_x = (box.left + box.right) / 2;
    float centre_y = (box.top + box.bottom) / 2;
    bool is_left = x < centre_x;
    bool is_top = y < centre_y;
    float radius = is_top ? (is_left ? corners.top_left : corners.top_right)
                          : (is_left ? corners.bottom_left : corners.bottom_right);
    float qx = std::abs(x - centre_x) - box.width() / 2 + radius;
    float qy = std::abs(y - centre_y) - box.height() / 2 + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

inline float circle_distance(float x, float y, float centre_x, float centre_y, float radius)
{
    return std::hypot(x - centre_x, y - centre_y) - radius;
}

inline float segment_distance(float x, float y, float x0, float y0, float x1, float y1)
{
    float dx = x1 - x0;
    float dy = y1 - y0;
    float length_squared = dx * dx + dy * dy;
    float t = length_squared > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length_squared, 0.0f, 1.0f) : 0;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

inline float coverage(float distance)
{
    return clamp01(0.5f - distance);
}

inline float smoothstep(float edge0, float edge1, float value)
{
    float t = clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// A soft falloff: 1 at distance 0 and below, 0 at reach and beyond.
inline float falloff(float distance, float reach)
{
    float t = clamp01(distance / reach);
    float inverse = 1 - t;
    return inverse * inverse * (3 - 2 * inverse);
}

// 0 on the outermost pixels of a width x height picture, rising to 1 at reach pixels inside:
// what makes a light end in nothing instead of an edge.
inline float edge_fade(float x, float y, float width, float height, float reach)
{
    float nearest = std::min({ x, y, width - x, height - y });
    return smoothstep(0.5f, reach, nearest);
}

// A deterministic pseudo-random value in [0, 1) for integer coordinates.
inline float hash01(int x, int y, int seed = 0)
{
    unsigned value = unsigned(x) * 374761393u + unsigned(y) * 668265263u + unsigned(seed) * 2246822519u;
    value = (value ^ (value >> 13)) * 1274126177u;
    value ^= value >> 16;
    return (value & 0xFFFFFF) / float(0x1000000);
}

// Smooth value noise in [0, 1), with features about cell pixels apart.
inline float value_noise(float x, float y, float cell, int seed = 0)
{
    float fx = x / cell;
    float fy = y / cell;
    int ix = int(std::floor(fx));
    int iy = int(std::floor(fy));
    float tx = smoothstep(0, 1, fx - ix);
    float ty = smoothstep(0, 1, fy - iy);
    float top = hash01(ix, iy, seed) + (hash01(ix + 1, iy, seed) - hash01(ix, iy, seed)) * tx;
    float bottom = hash01(ix, iy + 1, seed) + (hash01(ix + 1, iy + 1, seed) - hash01(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

// Colour of a vertical gradient through evenly spaced stops, t from 0 (top) to 1 (bottom).
template<std::size_t N>
Colour gradient(const Colour (&stops)[N], float t)
{
    t = clamp01(t) * (N - 1);
    std::size_t index = std::min<std::size_t>(std::size_t(t), N - 2);
    return mix(stops[index], stops[index + 1], t - index);
}

}
