#include "runtime/gdi_helpers.h"

#include <cstring>

namespace runtime {

HBITMAP create_dib_section(int width, int height, uint32_t** bits)
{
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits)
        *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

void fill_rect(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

SelectedBitmap::SelectedBitmap(HBITMAP bitmap)
    : m_dc(CreateCompatibleDC(nullptr))
{
    if (m_dc && bitmap)
        m_previous = SelectObject(m_dc, bitmap);
}

SelectedBitmap::~SelectedBitmap()
{
    if (m_previous)
        SelectObject(m_dc, m_previous);
    if (m_dc)
        DeleteDC(m_dc);
}

SIZE bitmap_size(HBITMAP bitmap)
{
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return SIZE { 0, 0 };
    return SIZE { info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight };
}

}
