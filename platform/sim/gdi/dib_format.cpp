#include "platform/sim/gdi/dib_format.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace sim {

std::optional<DibLayout> dib_layout(const BITMAPINFO& info)
{
    auto& header = info.bmiHeader;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN || header.biPlanes > 1)
        return std::nullopt;
    int bits = header.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    bool is_bitfields_of_32 = header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (header.biCompression != BI_RGB && !is_bitfields_of_32)
        return std::nullopt;
    // The size of the image must fit the 32-bit sizes Windows keeps for it.
    int64_t stride = (int64_t(header.biWidth) * bits + 31) / 32 * 4;
    if (stride * std::abs(int64_t(header.biHeight)) > INT32_MAX)
        return std::nullopt;
    DibLayout layout;
    layout.width = header.biWidth;
    layout.height = std::abs(header.biHeight);
    layout.is_bottom_up = header.biHeight > 0;
    layout.bits_per_pixel = bits;
    layout.stride = static_cast<int>(stride);
    if (bits <= 8) {
        layout.palette = info.bmiColors;
        layout.palette_size = header.biClrUsed ? static_cast<int>(header.biClrUsed) : 1 << bits;
    }
    return layout;
}

uint32_t read_dib_pixel(const DibLayout& layout, const uint8_t* row, int x)
{
    auto from_palette = [&](int index) -> uint32_t {
        if (index >= layout.palette_size)
            return 0;
        auto& entry = layout.palette[index];
        return (uint32_t(entry.rgbRed) << 16) | (uint32_t(entry.rgbGreen) << 8) | entry.rgbBlue;
    };
    switch (layout.bits_per_pixel) {
    case 1:
        return from_palette((row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return from_palette(x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
    case 8:
        return from_palette(row[x]);
    case 16: {
        // Five bits per channel, as BI_RGB defines 16-bit pixels.
        uint32_t value = row[x * 2] | (uint32_t(row[x * 2 + 1]) << 8);
        auto widen = [](uint32_t five) { return (five << 3) | (five >> 2); };
        return (widen((value >> 10) & 31) << 16) | (widen((value >> 5) & 31) << 8) | widen(value & 31);
    }
    case 24: {
        const uint8_t* pixel = row + x * 3;
        return (uint32_t(pixel[2]) << 16) | (uint32_t(pixel[1]) << 8) | pixel[0];
    }
    case 32: {
        const uint8_t* pixel = row + x * 4;
        return (uint32_t(pixel[3]) << 24) | (uint32_t(pixel[2]) << 16) | (uint32_t(pixel[1]) << 8) | pixel[0];
    }
    }
    return 0;
}

void read_dib_row(const DibLayout& layout, const uint8_t* row, uint32_t* pixels, int count)
{
    // A 32-bit row holds the pixels as they are stored: bytes B, G, R, A.
    if (layout.bits_per_pixel == 32) {
        std::memcpy(pixels, row, sizeof(uint32_t) * count);
        return;
    }
    if (layout.bits_per_pixel == 24) {
        for (int x = 0; x < count; ++x, row += 3)
            pixels[x] = (uint32_t(row[2]) << 16) | (uint32_t(row[1]) << 8) | row[0];
        return;
    }
    for (int x = 0; x < count; ++x)
        pixels[x] = read_dib_pixel(layout, row, x);
}

void write_dib_row(const DibLayout& layout, uint8_t* row, const uint32_t* pixels, int count)
{
    if (layout.bits_per_pixel == 32) {
        std::memcpy(row, pixels, sizeof(uint32_t) * count);
        return;
    }
    for (int x = 0; x < count; ++x) {
        uint32_t pixel = pixels[x];
        if (layout.bits_per_pixel == 24) {
            row[x * 3] = uint8_t(pixel);
            row[x * 3 + 1] = uint8_t(pixel >> 8);
            row[x * 3 + 2] = uint8_t(pixel >> 16);
            continue;
        }
        if (layout.bits_per_pixel == 32) {
            row[x * 4] = uint8_t(pixel);
            row[x * 4 + 1] = uint8_t(pixel >> 8);
            row[x * 4 + 2] = uint8_t(pixel >> 16);
            row[x * 4 + 3] = uint8_t(pixel >> 24);
        }
    }
}

Bitmap bitmap_from_dib(const DibLayout& layout, const uint8_t* bits)
{
    Bitmap bitmap(layout.width, layout.height);
    for (int y = 0; y < layout.height; ++y) {
        const uint8_t* row = bits + static_cast<size_t>(layout.memory_row(y)) * layout.stride;
        read_dib_row(layout, row, bitmap.row(y), layout.width);
    }
    return bitmap;
}

}
