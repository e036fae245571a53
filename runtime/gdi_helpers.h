// Small drawing helpers shared by the runtime's controls: 32-bit DIB sections and memory DCs.
#pragma once

#include "platform/win32.h"

#include <cstdint>

namespace runtime {

// A top-down 32-bit DIB section; bits, when given, receives its pixel memory (0xAARRGGBB words).
HBITMAP create_dib_section(int width, int height, uint32_t** bits = nullptr);

// Fills a rectangle with a solid RGB colour.
void fill_rect(HDC dc, const RECT& rect, COLORREF colour);

// A memory DC compatible with the screen, with a bitmap selected for as long as it lives.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap);
    ~SelectedBitmap();
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    HDC dc() const { return m_dc; }
    bool is_valid() const { return m_dc && m_previous; }

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// The size of a bitmap in pixels, or 0 x 0 for none.
SIZE bitmap_size(HBITMAP bitmap);

}
