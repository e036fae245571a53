#include "webcam/frame_pixels.h"

#include <cstdlib>
#include <cstring>

namespace {

// The largest frame side taken; a larger one is not a webcam's.
constexpr LONG LargestSide = 16384;
constexpr DWORD Yuy2Code = 0x32595559;  // the four characters "YUY2"

bool is_yuy2(const BITMAPINFOHEADER& format)
{
    return format.biCompression == Yuy2Code && format.biBitCount == 16;
}

size_t row_bytes(const BITMAPINFOHEADER& format)
{
    return (static_cast<size_t>(format.biWidth) * format.biBitCount + 31) / 32 * 4;
}

// Blue, green and red bytes to 0x00RRGGBB pixels. Each pixel but the row's last is read as one
// four-byte word, whose top byte (the next pixel's blue) is dropped: the program runs on
// little-endian machines, where a word's low byte is the first in memory.
void copy_24_bit_row(const BYTE* source, uint32_t* row, int width)
{
    if (width <= 0)
        return;
    int x = 0;
    for (; x + 1 < width; ++x, source += 3) {
        uint32_t word = 0;
        std::memcpy(&word, source, sizeof word);
        row[x] = word & 0x00FFFFFF;
    }
    row[x] = uint32_t { source[0] } | (uint32_t { source[1] } << 8) | (uint32_t { source[2] } << 16);
}

BYTE clamp_byte(int value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// One studio-range luma byte and the pair's blue and red differences as a 0x00RRGGBB pixel.
uint32_t yuv_pixel(int luma, int blue_difference, int red_difference)
{
    int c = 298 * (luma - 16) + 128;
    int d = blue_difference - 128;
    int e = red_difference - 128;
    return uint32_t { clamp_byte((c + 409 * e) >> 8) } << 16 | uint32_t { clamp_byte((c - 100 * d - 208 * e) >> 8) } << 8
        | uint32_t { clamp_byte((c + 516 * d) >> 8) };
}

// Y0 U Y1 V: two pixels that share their colour differences. A lone last pixel takes the pair's first half.
void copy_yuy2_row(const BYTE* source, uint32_t* row, int width)
{
    for (int x = 0; x < width; x += 2, source += 4) {
        row[x] = yuv_pixel(source[0], source[1], source[3]);
        if (x + 1 < width)
            row[x + 1] = yuv_pixel(source[2], source[1], source[3]);
    }
}

}

bool is_rgb_frame_format(const BITMAPINFOHEADER& format)
{
    return format.biCompression == BI_RGB && (format.biBitCount == 24 || format.biBitCount == 32);
}

bool is_usable_frame_format(const BITMAPINFOHEADER& format)
{
    LONG height = std::labs(format.biHeight);
    return (is_rgb_frame_format(format) || is_yuy2(format)) && format.biWidth > 0 && format.biWidth <= LargestSide
        && height > 0 && height <= LargestSide;
}

size_t frame_size_in_bytes(const BITMAPINFOHEADER& format)
{
    return row_bytes(format) * static_cast<size_t>(std::labs(format.biHeight));
}

void copy_frame_pixels(const BITMAPINFOHEADER& format, const BYTE* frame, uint32_t* target, size_t target_stride)
{
    int width = format.biWidth;
    int height = static_cast<int>(std::labs(format.biHeight));
    bool is_bottom_up = format.biHeight > 0 && !is_yuy2(format);
    size_t stride = row_bytes(format);
    for (int y = 0; y < height; ++y) {
        const BYTE* source = frame + stride * static_cast<size_t>(is_bottom_up ? height - 1 - y : y);
        uint32_t* row = target + target_stride * static_cast<size_t>(y);
        if (is_yuy2(format)) {
            copy_yuy2_row(source, row, width);
            continue;
        }
        if (format.biBitCount == 32) {
            // The fourth byte of a 32-bit RGB frame is unused: the pixels are opaque colours.
            std::memcpy(row, source, static_cast<size_t>(width) * 4);
            for (int x = 0; x < width; ++x)
                row[x] &= 0x00FFFFFF;
            continue;
        }
        copy_24_bit_row(source, row, width);
    }
}
