// Pictures in memory for the effect tests.
#pragma once

#include "effects/kernels/pixel_view.h"

#include <cstdint>
#include <random>
#include <vector>

namespace norvex::tests {

struct TestPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    TestPicture(int picture_width, int picture_height, uint32_t fill = 0xFF000000u)
        : width(picture_width)
        , height(picture_height)
        , pixels(static_cast<size_t>(picture_width) * picture_height, fill)
    {
    }

    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    PixelView view() { return PixelView { pixels.data(), width, height, width }; }
    bool operator==(const TestPicture&) const = default;
};

inline TestPicture random_picture(int width, int height, unsigned seed)
{
    TestPicture picture(width, height);
    std::mt19937 generator(seed);
    for (auto& pixel : picture.pixels)
        pixel = generator();
    return picture;
}

inline uint32_t make_pixel(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha = 0xFF)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

inline int red_of(uint32_t pixel)
{
    return static_cast<int>((pixel >> 16) & 0xFF);
}
inline int green_of(uint32_t pixel)
{
    return static_cast<int>((pixel >> 8) & 0xFF);
}
inline int blue_of(uint32_t pixel)
{
    return static_cast<int>(pixel & 0xFF);
}
inline uint32_t alpha_of(uint32_t pixel)
{
    return pixel >> 24;
}

}
