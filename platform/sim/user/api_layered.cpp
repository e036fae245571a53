// user32: window regions and layered windows.
#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"

#include "platform/sim/gdi/gdi_link.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

// GetWindowRgn's answer for a region of more than one rectangle.
constexpr int complex_region = 3;

int region_kind(const Region& region)
{
    if (region.is_empty())
        return NULLREGION;
    return region.is_rectangle() ? SIMPLEREGION : complex_region;
}

// Contents handed over without per-pixel alpha cover the window fully.
uint32_t opaque(uint32_t pixel)
{
    return pixel | 0xFF000000;
}

uint32_t colour_key_pixel(COLORREF key)
{
    return (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
}

}

int WINAPI SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window)
        return 0;
    Region whole = Region::rectangle(0, 0, window->width(), window->height());
    Region before = window->region ? *window->region : whole;
    if (!hRgn) {
        window->region.reset();
    } else {
        const Region* region = region_of(hRgn);
        if (!region)
            return 0;
        window->region = *region;
        // The window system owns the region from now on.
        DeleteObject(hRgn);
    }
    if (bRedraw) {
        // The window is drawn again; its children only where the new shape shows more of them.
        invalidate(*window, nullptr, true);
        request_frame(*window);
        invalidate_descendants_in(*window, (window->region ? *window->region : whole).subtracted(before));
    }
    // What the old shape covered of the parent may show now.
    if (window->is_visible_style())
        invalidate_parent_under(*window, window->rect);
    return 1;
}

int WINAPI GetWindowRgn(HWND hWnd, HRGN hRgn)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !window->region || !set_region(hRgn, *window->region))
        return ERROR;
    return region_kind(*window->region);
}

int WINAPI GetWindowRgnBox(HWND hWnd, LPRECT lprc)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !window->region || !lprc)
        return ERROR;
    *lprc = window->region->bounds();
    return region_kind(*window->region);
}

BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    sim::ApiCall api_call;
    Window* window = find_window(hwnd);
    if (!window || !window->is_layered()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->layered.has_attributes = true;
    window->layered.per_pixel.reset();
    window->layered.flags = dwFlags;
    window->layered.alpha = bAlpha;
    window->layered.key = crKey;
    return TRUE;
}

BOOL WINAPI GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags)
{
    sim::ApiCall api_call;
    Window* window = find_window(hwnd);
    if (!window || !window->is_layered() || !window->layered.has_attributes)
        return FALSE;
    if (pcrKey)
        *pcrKey = window->layered.key;
    if (pbAlpha)
        *pbAlpha = window->layered.alpha;
    if (pdwFlags)
        *pdwFlags = window->layered.flags;
    return TRUE;
}

BOOL WINAPI UpdateLayeredWindow(HWND hWnd, HDC, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc, COLORREF crKey,
    struct _BLENDFUNCTION* pblend, DWORD dwFlags)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window || !window->is_layered() || window->layered.has_attributes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT screen = window_rect_on_screen(*window);
    POINT position = pptDst ? *pptDst : POINT {screen.left, screen.top};
    SIZE size = psize ? *psize : SIZE {window->width(), window->height()};
    if (size.cx < 0 || size.cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hdcSrc) {
        const Bitmap* source = dc_bitmap(hdcSrc);
        POINT from = pptSrc ? *pptSrc : POINT {0, 0};
        POINT origin = dc_origin(hdcSrc);
        from.x += origin.x;
        from.y += origin.y;
        // A source that does not cover the window's size is refused, as Windows refuses it,
        // rather than reading past the bitmap.
        if (!source || from.x < 0 || from.y < 0 || from.x + size.cx > source->width()
            || from.y + size.cy > source->height()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        bool has_alpha = (dwFlags & ULW_ALPHA) && pblend && (pblend->AlphaFormat & AC_SRC_ALPHA);
        bool has_key = (dwFlags & ULW_COLORKEY) != 0;
        uint32_t key = colour_key_pixel(crKey);
        auto picture = std::make_shared<Bitmap>(size.cx, size.cy);
        for (int y = 0; y < size.cy; ++y) {
            const uint32_t* row = source->row(from.y + y) + from.x;
            uint32_t* target = picture->row(y);
            for (int x = 0; x < size.cx; ++x) {
                uint32_t pixel = has_alpha ? row[x] : opaque(row[x]);
                if (has_key && (row[x] & 0xFFFFFF) == key)
                    pixel = 0;
                target[x] = pixel;
            }
        }
        window->layered.per_pixel = std::move(picture);
    }
    if (!window->layered.per_pixel) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->layered.per_pixel_alpha = (dwFlags & ULW_ALPHA) && pblend ? pblend->SourceConstantAlpha : 255;
    if (dwFlags & ULW_OPAQUE)
        window->layered.per_pixel_alpha = 255;
    if (position.x != screen.left || position.y != screen.top || size.cx != window->width()
        || size.cy != window->height())
        set_window_pos(hWnd, nullptr, position.x, position.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
