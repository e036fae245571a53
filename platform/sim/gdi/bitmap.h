// A bitmap of the simulated GDI: 32-bit pixels behind HBITMAP handles, DIB sections and surfaces.
#pragma once

#include "platform/sim/handle_table.h"

#include <cstdint>
#include <vector>

namespace sim {

// Pixels are stored as a 32-bit DIB lays them out: bytes B, G, R, A, read as 0xAARRGGBB.
// Rows are addressed top-down through row(); the storage itself is top-down, or bottom-up for a
// DIB section created with a positive height, so that bits() hands out exactly the memory a
// Windows program expects and stays put for the bitmap's whole life.
//
// A DIB section of 24 bits per pixel keeps its client bits (rows of B, G, R padded to four bytes)
// beside the 32-bit pixels; the drawing code calls pull_client_bits() before it reads the pixels
// and push_client_bits() after it changed them, so both views agree between calls.
class Bitmap : public Object {
public:
    enum class Orientation { TopDown, BottomUp };

    Bitmap(int width, int height);
    static Bitmap dib_section(int width, int height, int bits_per_pixel, Orientation);
    // Whether pixels of this size can be had at all; larger requests fail as they do on Windows,
    // instead of exhausting memory.
    static bool is_possible_size(int width, int height)
    {
        return width >= 0 && height >= 0 && static_cast<int64_t>(width) * height <= max_pixels;
    }
    static constexpr int64_t max_pixels = int64_t(1) << 27;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool is_empty() const { return m_width == 0 || m_height == 0; }

    // Bits per pixel as the program sees the bitmap (1 for a monochrome bitmap, 24 or 32 for a
    // DIB section, 32 otherwise); the pixels are always 32-bit.
    int bits_per_pixel() const { return m_bits_per_pixel; }
    void set_bits_per_pixel(int bits) { m_bits_per_pixel = bits; }
    bool is_monochrome() const { return m_bits_per_pixel == 1; }

    bool is_dib_section() const { return m_is_dib_section; }
    Orientation orientation() const { return m_orientation; }
    bool is_bottom_up() const { return m_orientation == Orientation::BottomUp; }

    uint32_t* row(int y) { return m_pixels.data() + storage_row(y) * static_cast<size_t>(m_row_pixels); }
    const uint32_t* row(int y) const { return m_pixels.data() + storage_row(y) * static_cast<size_t>(m_row_pixels); }
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, uint32_t argb) { row(y)[x] = argb; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    void fill(uint32_t argb);
    // Takes a new size, keeping the pixels both sizes share and filling the rest with `argb`. The
    // storage only grows, so a window resized back and forth copies nothing; only a top-down bitmap
    // that is no DIB section (a window's surface) is resized this way.
    void resize(int width, int height, uint32_t argb);

    // The memory handed to the program: the 32-bit pixels, or the 24-bit client rows.
    void* bits();
    // Bytes per row of bits(), padded to four bytes as a DIB's rows are.
    int stride() const;
    size_t size_in_bytes() const { return static_cast<size_t>(stride()) * m_height; }

    void pull_client_bits();
    void push_client_bits();

private:
    size_t storage_row(int y) const { return m_orientation == Orientation::TopDown ? y : m_height - 1 - y; }

    int m_width = 0;
    int m_height = 0;
    // Pixels from one stored row to the next: the width, or more once a resize made it narrower.
    int m_row_pixels = 0;
    int m_bits_per_pixel = 32;
    bool m_is_dib_section = false;
    Orientation m_orientation = Orientation::TopDown;
    std::vector<uint32_t> m_pixels;
    std::vector<uint8_t> m_client_bits;
};

}
