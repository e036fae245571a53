#include "effects/bitmap_pixels.h"

#include <cstdlib>

namespace norvex {

HBITMAP bitmap_of(HDC dc, HBITMAP bitmap)
{
    if (bitmap || !dc)
        return bitmap;
    return static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
}

BitmapPixels::BitmapPixels(HDC dc, HBITMAP bitmap)
    : m_dc(dc)
    , m_bitmap(bitmap_of(dc, bitmap))
{
    if (!m_bitmap)
        return;
    if (!reach_dib_section())
        read_copy();
}

BitmapPixels::~BitmapPixels()
{
    if (m_copy.empty() || !m_is_changed)
        return;
    BITMAPINFO format = copy_format();
    SetDIBits(m_dc, m_bitmap, 0, static_cast<UINT>(m_view.height), m_copy.data(), &format, DIB_RGB_COLORS);
}

// A 32-bit DIB section with the standard channel layout is worked on where it lies. GDI may
// still hold drawing to it in a batch, so the batch is flushed first.
bool BitmapPixels::reach_dib_section()
{
    DIBSECTION section {};
    if (GetObjectA(m_bitmap, sizeof(section), &section) != static_cast<int>(sizeof(section)))
        return false;
    const BITMAP& bitmap = section.dsBm;
    bool has_standard_layout = section.dsBmih.biCompression == BI_RGB
        || (section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[0] == 0x00FF0000u
            && section.dsBitfields[1] == 0x0000FF00u && section.dsBitfields[2] == 0x000000FFu);
    if (bitmap.bmBitsPixel != 32 || !bitmap.bmBits || !has_standard_layout || bitmap.bmWidthBytes % 4 != 0)
        return false;
    GdiFlush();
    int height = std::abs(bitmap.bmHeight);
    std::ptrdiff_t stride = bitmap.bmWidthBytes / 4;
    auto* bits = static_cast<uint32_t*>(bitmap.bmBits);
    if (is_stored_bottom_up(bits, bitmap.bmWidth, height)) {
        bits += (height - 1) * stride;
        stride = -stride;
    }
    m_view = PixelView { bits, bitmap.bmWidth, height, stride };
    return true;
}

// GetObject reports the height of a DIB section as a positive number in either orientation, so
// GDI is asked for the bottom row instead, before and after one bit of the first pixel in memory
// is flipped: the first row in memory is the bottom one where the answer changes with it. The
// pixel is put back at once.
bool BitmapPixels::is_stored_bottom_up(uint32_t* bits, int width, int height) const
{
    if (height == 1)
        return false;
    HDC dc = m_dc ? m_dc : GetDC(nullptr);
    BITMAPINFO format = rows_format(width, height);
    std::vector<uint32_t> before(static_cast<size_t>(width));
    std::vector<uint32_t> after(static_cast<size_t>(width));
    int lines = GetDIBits(dc, m_bitmap, 0, 1, before.data(), &format, DIB_RGB_COLORS);
    bits[0] ^= 1u;
    lines += GetDIBits(dc, m_bitmap, 0, 1, after.data(), &format, DIB_RGB_COLORS);
    bits[0] ^= 1u;
    if (!m_dc)
        ReleaseDC(nullptr, dc);
    return lines == 2 && before[0] != after[0];
}

BITMAPINFO BitmapPixels::copy_format() const
{
    return rows_format(m_view.width, -m_view.height);
}

bool BitmapPixels::read_copy()
{
    BITMAP bitmap {};
    if (!m_dc || GetObjectA(m_bitmap, sizeof(bitmap), &bitmap) == 0 || bitmap.bmWidth <= 0 || bitmap.bmHeight == 0)
        return false;
    int height = std::abs(bitmap.bmHeight);
    m_copy.resize(static_cast<size_t>(bitmap.bmWidth) * height);
    m_view = PixelView { m_copy.data(), bitmap.bmWidth, height, bitmap.bmWidth };
    BITMAPINFO format = copy_format();
    if (GetDIBits(m_dc, m_bitmap, 0, static_cast<UINT>(height), m_copy.data(), &format, DIB_RGB_COLORS) != height) {
        m_copy.clear();
        m_view = {};
        return false;
    }
    return true;
}

}
