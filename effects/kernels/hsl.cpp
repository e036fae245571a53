#include "effects/kernels/hsl.h"

#include "effects/kernels/hsl_rows.h"
#include "effects/kernels/simd_rows.h"

#include <algorithm>
#include <cmath>

// The colour arithmetic is integer and fits 16 bits, so the SIMD paths work on eight or
// sixteen pixels at once. Channels are kept in sixteenths of a level. The hue is a position on
// the six-sector colour hexagon scaled by the chroma C, from 0 up to 96 * C (16 * C per sector),
// so that with no rotation every step is exact and the picture comes back unchanged. All paths
// perform the same operations and so give the same pixels.

namespace norvex {

constexpr float hue_turn_per_sector = 4096.0f;

HslChange make_hsl_change(float hue_degrees, float saturation)
{
    float sectors = hue_degrees / 60.0f;
    sectors -= 6.0f * std::floor(sectors / 6.0f);
    int turn = static_cast<int>(std::lround(sectors * hue_turn_per_sector));
    if (turn < 0 || turn >= 6 * 4096)
        turn = 0;
    float factor = std::clamp(saturation, 0.0f, 15.0f);
    return HslChange { turn, static_cast<int>(std::lround(factor * saturation_unit)) };
}

// The largest factor (in units of 1/2048) that keeps a colour of this chroma and doubled
// lightness in range, computed in floats as the SIMD path does and saturated to 16 bits.
static int saturation_limit(int twice_lightness, int chroma)
{
    int room = std::min(twice_lightness, 510 - twice_lightness);
    float limit = static_cast<float>(room) * saturation_unit / static_cast<float>(std::max(chroma, 1));
    return std::min(static_cast<int>(limit), 32767);
}

// A channel peaks (16 * C) within a third of the circle around its own hue and is lowest
// beyond two thirds, rising linearly in between.
static int channel_on_hexagon(int hue, int peak, int chroma16, int circle, int low16)
{
    int distance = std::abs(hue - peak);
    distance = std::min(distance, circle - distance);
    return low16 + std::min(std::max(2 * chroma16 - distance, 0), chroma16);
}

// Channels carry half a level (8) on top, so that dropping the fraction rounds to nearest.
static uint32_t to_level(int sixteenths)
{
    return static_cast<uint32_t>(std::clamp(sixteenths >> 4, 0, 255));
}

static uint32_t recolour_pixel(uint32_t source, uint32_t destination, HslChange change)
{
    int blue = static_cast<int>(source & 0xFF);
    int green = static_cast<int>((source >> 8) & 0xFF);
    int red = static_cast<int>((source >> 16) & 0xFF);
    int high = std::max(std::max(red, green), blue);
    int low = std::min(std::min(red, green), blue);
    int chroma = high - low;
    int chroma16 = chroma << 4;
    int circle = 6 * chroma16;

    int hue;
    if (high == red) {
        hue = (green - blue) << 4;
        if (hue < 0)
            hue += circle;
    } else if (high == green) {
        hue = ((blue - red) << 4) + 2 * chroma16;
    } else {
        hue = ((red - green) << 4) + 4 * chroma16;
    }
    int turn = ((chroma << 8) * change.hue_turn) >> 16;
    hue -= circle - turn;
    if (hue < 0)
        hue += circle;

    int low16 = (low << 4) + 8;
    int channels[3] = {
        channel_on_hexagon(hue, 0, chroma16, circle, low16),
        channel_on_hexagon(hue, 2 * chroma16, chroma16, circle, low16),
        channel_on_hexagon(hue, 4 * chroma16, chroma16, circle, low16),
    };
    if (change.saturation != 2048) {
        int factor = change.saturation;
        if (factor > 2048)
            factor = std::min(factor, saturation_limit(high + low, chroma));
        int lightness16 = ((high + low) << 3) + 8;
        for (int& channel : channels)
            channel = lightness16 + 2 * ((((channel - lightness16) << 4) * factor) >> 16);
    }
    return (destination & alpha_mask) | (to_level(channels[0]) << 16) | (to_level(channels[1]) << 8)
        | to_level(channels[2]);
}

void recolour_row_scalar(uint32_t* destination, const uint32_t* source, int count, HslChange change)
{
    for (int x = 0; x < count; ++x)
        destination[x] = recolour_pixel(source[x], destination[x], change);
}

void recolour(PixelView destination, PixelView source, HslChange change, KernelPath path)
{
    if (destination.is_empty())
        return;
    auto* recolour_row = implementation_for(
        path, recolour_row_scalar, NORVEX_SSE2(sse2_rows.recolour_row), NORVEX_AVX2(avx2_rows.recolour_row));
    for (int y = 0; y < destination.height; ++y)
        recolour_row(destination.row(y), source.row(y), destination.width, change);
}

}
