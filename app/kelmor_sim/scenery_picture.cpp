#include "app/kelmor_sim/scenery_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kelmor_sim {

namespace {

struct Colour {
    double red { 0 };
    double green { 0 };
    double blue { 0 };
};

Colour mix(Colour a, Colour b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return { a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t };
}

uint32_t argb(Colour colour)
{
    auto channel = [](double value) { return static_cast<uint32_t>(std::clamp(value, 0.0, 255.0) + 0.5); };
    return 0xFF000000 | channel(colour.red) << 16 | channel(colour.green) << 8 | channel(colour.blue);
}

// A small deterministic hash of a point, 0 to 1: stars and the glitter on the water.
double speckle(int x, int y)
{
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

// One mountain range: its ridge height over the horizon at a fraction u of the width, as a
// fraction of the picture's height.
struct Range {
    double base;
    double amplitude;
    double phase;
    Colour near_colour;
    Colour far_colour;

    double ridge(double u) const
    {
        double h = std::sin(u * 6.1 + phase) * 0.5 + std::sin(u * 13.7 + phase * 2.3) * 0.25
            + std::sin(u * 31.0 + phase * 0.7) * 0.12 + std::sin(u * 67.0 + phase) * 0.05;
        return base + amplitude * (h + 0.9) / 1.8;
    }
};

const std::array<Range, 3> ranges { {
    { 0.10, 0.22, 0.4, { 150, 96, 150 }, { 196, 132, 160 } },
    { 0.04, 0.16, 2.1, { 92, 52, 110 }, { 132, 78, 132 } },
    { 0.00, 0.09, 4.2, { 36, 22, 58 }, { 64, 36, 84 } },
} };

const Colour sky_top { 18, 32, 92 };
const Colour sky_middle { 120, 76, 160 };
const Colour sky_horizon { 255, 150, 86 };
const Colour sun_colour { 255, 236, 170 };
const Colour water_deep { 14, 30, 70 };

// What the land and sky show at a point above the horizon; v is the height over the horizon as a
// fraction of the picture's height, u the place across.
Colour landscape(double u, double v, int x, int y, double aspect)
{
    Colour sky = v > 0.25 ? mix(sky_middle, sky_top, (v - 0.25) / 0.4) : mix(sky_horizon, sky_middle, v / 0.25);
    double sun_x = 0.56, sun_y = 0.2;
    double du = (u - sun_x) * aspect, dv = v - sun_y;
    double distance = std::sqrt(du * du + dv * dv);
    if (distance < 0.055)
        sky = sun_colour;
    else
        sky = mix(sky, sun_colour, 0.55 * std::exp(-(distance - 0.055) * 9.0));
    if (v > 0.35 && speckle(x, y) > 0.9985)
        sky = mix(sky, { 255, 255, 255 }, 0.9);
    Colour colour = sky;
    for (auto& range : ranges) {
        double ridge = range.ridge(u);
        if (v < ridge)
            colour = mix(range.near_colour, range.far_colour, v / std::max(ridge, 0.001));
    }
    return colour;
}

}

sim::Bitmap scenery_picture(int width, int height)
{
    sim::Bitmap picture(width, height);
    double horizon = height * 0.62;
    double aspect = static_cast<double>(width) / height;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = picture.row(y);
        for (int x = 0; x < width; ++x) {
            double u = static_cast<double>(x) / width;
            if (y < horizon) {
                row[x] = argb(landscape(u, (horizon - y) / height, x, y, aspect));
                continue;
            }
            // The lake mirrors the land, rippled and darkened with depth.
            double depth = (y - horizon) / (height - horizon);
            double ripple = std::sin(y * 0.9 + std::sin(x * 0.02) * 3.0) * 4.0 * depth;
            double mirrored = (y - horizon) / height;
            Colour reflection = landscape(u + ripple / width, mirrored, x, static_cast<int>(2 * horizon) - y, aspect);
            Colour water = mix(reflection, water_deep, 0.25 + depth * 0.6);
            // The sun's glitter: short streaks, thinning out towards the sides of its path.
            double across = std::fabs(u - 0.56) / (0.05 * (1 - depth * 0.3));
            if (across < 1 && speckle(x / 6, y / 2) > 0.55 + 0.45 * across)
                water = mix(water, sun_colour, 0.55 * (1 - depth) * (1 - across));
            row[x] = argb(water);
        }
    }
    return picture;
}

}
