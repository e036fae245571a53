// Reading pixels for the glass tests: the composed screen, and any device context's pixels as
// 0xRRGGBB words, so that a capture can be compared with the screen pixel for pixel.
#pragma once

#include "platform/sim/driver.h"
#include "runtime/gdi_helpers.h"

#include <cstdint>
#include <vector>

inline uint32_t screen_pixel(const sim::Bitmap& screen, int x, int y)
{
    return screen.pixel(x, y) & 0xFFFFFF;
}

// w x h pixels of a device context from (x, y), row by row.
inline std::vector<uint32_t> pixels_of(HDC source, int x, int y, int width, int height)
{
    uint32_t* bits = nullptr;
    HBITMAP bitmap = runtime::create_dib_section(width, height, &bits);
    std::vector<uint32_t> pixels;
    {
        runtime::SelectedBitmap copy(bitmap);
        BitBlt(copy.dc(), 0, 0, width, height, source, x, y, SRCCOPY);
        for (int i = 0; i < width * height; ++i)
            pixels.push_back(bits[i] & 0xFFFFFF);
    }
    DeleteObject(bitmap);
    return pixels;
}

// What a fresh capture of the screen shows at a rectangle: the windows under the layered ones.
inline std::vector<uint32_t> screen_behind(RECT rect)
{
    HDC screen = GetDC(nullptr);
    auto pixels = pixels_of(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}
