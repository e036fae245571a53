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
    if (section.dsBmih.biHeight > 0) {
        bits += (height - 1) * stride;
        stride = -stride;
    }
    m_view = PixelView { bits, bitmap.bmWidth, height, stride };
    return true;
}

BITMAPINFO BitmapPixels::copy_format() const
{
    BITMAPINFO format {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = m_view.width;
    format.bmiHeader.biHeight = -m_view.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
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
