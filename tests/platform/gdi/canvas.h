// A memory DC holding a 32-bit top-down DIB section, for reading back what GDI drew.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <vector>

namespace gdi_test {

// The description of an uncompressed DIB; a negative height makes it top-down.
inline BITMAPINFO dib_header(int width, int height, int bits)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_width(width)
        , m_height(height)
    {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        fill_with(fill);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
        for (HGDIOBJ object : m_made)
            DeleteObject(object);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    uint32_t* bits() const { return m_bits; }
    // The colour at a point, red in the low byte, as GetPixel answers.
    COLORREF at(int x, int y) const
    {
        uint32_t pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    uint32_t raw(int x, int y) const { return m_bits[y * m_width + x]; }
    void set_raw(int x, int y, uint32_t pixel) { m_bits[y * m_width + x] = pixel; }
    void fill_with(COLORREF color)
    {
        RECT all { 0, 0, m_width, m_height };
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    // Selects a pen, brush or font the test made into the DC; it is deleted after the DC.
    template<typename Handle>
    Handle select(Handle object)
    {
        SelectObject(m_dc, object);
        m_made.push_back(object);
        return object;
    }
    int count(COLORREF color) const
    {
        int found = 0;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                found += at(x, y) == color;
        }
        return found;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
    std::vector<HGDIOBJ> m_made;
};

}
