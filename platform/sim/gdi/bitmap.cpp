#include "platform/sim/gdi/bitmap.h"

#include <algorithm>

namespace sim {

Bitmap::Bitmap(int width, int height)
    : m_width(std::max(width, 0))
    , m_height(std::max(height, 0))
    , m_row_pixels(m_width)
    , m_pixels(static_cast<size_t>(m_width) * m_height, 0)
{
}

Bitmap Bitmap::dib_section(int width, int height, int bits_per_pixel, Orientation orientation)
{
    Bitmap bitmap(width, height);
    bitmap.m_is_dib_section = true;
    bitmap.m_orientation = orientation;
    bitmap.m_bits_per_pixel = bits_per_pixel == 24 ? 24 : 32;
    if (bitmap.m_bits_per_pixel == 24)
        bitmap.m_client_bits.assign(bitmap.size_in_bytes(), 0);
    return bitmap;
}

void Bitmap::fill(uint32_t argb)
{
    std::fill(m_pixels.begin(), m_pixels.end(), argb);
}

void Bitmap::resize(int width, int height, uint32_t argb)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    size_t rows_held = m_row_pixels ? m_pixels.size() / m_row_pixels : 0;
    if (width > m_row_pixels || static_cast<size_t>(height) > rows_held) {
        int row_pixels = std::max(width, m_row_pixels);
        size_t rows = std::max(static_cast<size_t>(height), rows_held);
        std::vector<uint32_t> pixels(static_cast<size_t>(row_pixels) * rows);
        int shared_width = std::min(width, m_width);
        for (int y = 0; y < std::min(height, m_height); ++y)
            std::copy_n(row(y), shared_width, pixels.data() + static_cast<size_t>(y) * row_pixels);
        m_pixels = std::move(pixels);
        m_row_pixels = row_pixels;
        m_width = std::min(m_width, width);
        m_height = std::min(m_height, height);
    }
    // What neither size shares is filled: the columns right of the old width, the rows below it.
    for (int y = 0; y < height; ++y) {
        int from = y < m_height ? std::min(m_width, width) : 0;
        std::fill(row(y) + from, row(y) + width, argb);
    }
    m_width = width;
    m_height = height;
}

void* Bitmap::bits()
{
    if (!m_client_bits.empty())
        return m_client_bits.data();
    return m_pixels.data();
}

int Bitmap::stride() const
{
    if (m_bits_per_pixel == 24 && m_is_dib_section)
        return (m_width * 3 + 3) & ~3;
    return m_width * 4;
}

// The client rows are stored in the same orientation as the pixels, so storage row i of one
// matches storage row i of the other.
void Bitmap::pull_client_bits()
{
    if (m_client_bits.empty())
        return;
    size_t row_bytes = stride();
    for (size_t i = 0; i < static_cast<size_t>(m_height); ++i) {
        const uint8_t* source = m_client_bits.data() + i * row_bytes;
        uint32_t* target = m_pixels.data() + i * m_row_pixels;
        for (int x = 0; x < m_width; ++x, source += 3)
            target[x] = (uint32_t(source[2]) << 16) | (uint32_t(source[1]) << 8) | source[0];
    }
}

void Bitmap::push_client_bits()
{
    if (m_client_bits.empty())
        return;
    size_t row_bytes = stride();
    for (size_t i = 0; i < static_cast<size_t>(m_height); ++i) {
        uint8_t* target = m_client_bits.data() + i * row_bytes;
        const uint32_t* source = m_pixels.data() + i * m_row_pixels;
        for (int x = 0; x < m_width; ++x, target += 3) {
            target[0] = uint8_t(source[x]);
            target[1] = uint8_t(source[x] >> 8);
            target[2] = uint8_t(source[x] >> 16);
        }
    }
}

}
