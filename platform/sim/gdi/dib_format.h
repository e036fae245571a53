// Reading and writing the rows of device-independent bitmaps in the program's memory.
#pragma once

#include "platform/api/gdi.h"
#include "platform/sim/gdi/bitmap.h"

#include <cstdint>
#include <optional>

namespace sim {

// How a DIB described by a BITMAPINFO lies in memory.
struct DibLayout {
    int width = 0;
    int height = 0;
    bool is_bottom_up = true;
    int bits_per_pixel = 32;
    int stride = 0;
    const RGBQUAD* palette = nullptr;
    int palette_size = 0;

    size_t size_in_bytes() const { return static_cast<size_t>(stride) * height; }
    // The memory row of an image row counted from the top.
    int memory_row(int image_row) const { return is_bottom_up ? height - 1 - image_row : image_row; }
};

// The layout of an uncompressed DIB of 1, 4, 8, 16, 24 or 32 bits per pixel; none for other kinds.
std::optional<DibLayout> dib_layout(const BITMAPINFO&);

// One pixel of a DIB row as 0xAARRGGBB; only 32-bit rows carry an alpha, the others have alpha 0,
// as GDI converts them.
uint32_t read_dib_pixel(const DibLayout&, const uint8_t* row, int x);
// Reads the first `count` pixels of a DIB row, a whole row at a time.
void read_dib_row(const DibLayout&, const uint8_t* row, uint32_t* pixels, int count);
// Writes pixels into a DIB row of 24 or 32 bits per pixel.
void write_dib_row(const DibLayout&, uint8_t* row, const uint32_t* pixels, int count);

// A whole DIB in memory as a top-down bitmap.
Bitmap bitmap_from_dib(const DibLayout&, const uint8_t* bits);

}
