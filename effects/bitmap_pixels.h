// Reaching a bitmap's pixels through the platform API, as the effect kernels need them.
#pragma once

#include "effects/kernels/pixel_view.h"
#include "platform/win32.h"

#include <vector>

namespace norvex {

// The pixels of one bitmap as 32-bit rows. A 32-bit DIB section is worked on in its own bits;
// any other bitmap is read into a copy with GetDIBits, and the copy is written back with
// SetDIBits when the object goes, if mark_changed was called.
class BitmapPixels {
public:
    // The bitmap given, or the one selected into the device context when bitmap is null.
    BitmapPixels(HDC dc, HBITMAP bitmap);
    ~BitmapPixels();
    BitmapPixels(const BitmapPixels&) = delete;
    BitmapPixels& operator=(const BitmapPixels&) = delete;

    bool is_valid() const { return !m_view.is_empty(); }
    HBITMAP bitmap() const { return m_bitmap; }
    const PixelView& view() const { return m_view; }
    void mark_changed() { m_is_changed = true; }

private:
    bool reach_dib_section();
    bool is_stored_bottom_up(uint32_t* bits, int width, int height) const;
    bool read_copy();
    BITMAPINFO copy_format() const;

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    PixelView m_view;
    std::vector<uint32_t> m_copy;
    bool m_is_changed = false;
};

// The format of 32-bit rows: stored from the bottom up for a positive height, top-down otherwise.
inline BITMAPINFO rows_format(int width, int height)
{
    BITMAPINFO format {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// The bitmap a call works on: the handle given, else the one selected into the device context.
HBITMAP bitmap_of(HDC dc, HBITMAP bitmap);

}
