// Creating, saving and ending device contexts, and selecting, reading and deleting objects.
#include "platform/api/gdi.h"

#include "platform/sim/desktop.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>
#include "platform/sim/user/process_faults.h"

using namespace sim;

namespace {

// Which DC holds each selected bitmap; an entry is believed only while that DC still holds it,
// so entries left behind by a reset of the handle table do no harm.
std::unordered_map<HBITMAP, HDC>& holders()
{
    static std::unordered_map<HBITMAP, HDC> map;
    return map;
}

// The DC a bitmap is selected into, if any; a bitmap can be in one DC at a time.
HDC dc_holding(HBITMAP bitmap)
{
    auto found = holders().find(bitmap);
    if (found == holders().end())
        return nullptr;
    auto* dc = find_dc(found->second);
    if (dc && dc->is_memory() && dc->state.bitmap == bitmap)
        return found->second;
    holders().erase(found);
    return nullptr;
}

int region_type(const Region& region)
{
    if (region.is_empty())
        return NULLREGION;
    return region.is_rectangle() ? SIMPLEREGION : COMPLEXREGION;
}

}

HDC WINAPI CreateCompatibleDC(HDC)
{
    sim::ApiCall api_call;
    return create_memory_dc();
}

BOOL WINAPI DeleteDC(HDC handle)
{
    sim::ApiCall api_call{sim::CallKind::release};
    auto* dc = find_dc(handle);
    if (!dc) {
        note_failed_delete(handle);
        return FALSE;
    }
    holders().erase(dc->state.bitmap);
    remove_counted_object(handle);
    return TRUE;
}

int WINAPI SaveDC(HDC handle)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return 0;
    dc->saved_states.push_back(dc->state);
    return static_cast<int>(dc->saved_states.size());
}

BOOL WINAPI RestoreDC(HDC handle, int saved)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return FALSE;
    int count = static_cast<int>(dc->saved_states.size());
    int level = saved < 0 ? count + saved + 1 : saved;
    if (level < 1 || level > count)
        return FALSE;
    holders().erase(dc->state.bitmap);
    dc->state = dc->saved_states[level - 1];
    dc->saved_states.resize(level - 1);
    if (dc->is_memory())
        holders()[dc->state.bitmap] = handle;
    return TRUE;
}

int WINAPI GetDeviceCaps(HDC handle, int index)
{
    sim::ApiCall api_call;
    if (!find_dc(handle))
        return 0;
    SIZE screen = screen_size();
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case HORZRES:
        return screen.cx;
    case VERTRES:
        return screen.cy;
    case HORZSIZE:
        return screen.cx * 254 / 960;
    case VERTSIZE:
        return screen.cy * 254 / 960;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT;
    }
    return 0;
}

BOOL WINAPI GdiFlush(void)
{
    sim::ApiCall api_call;
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object)
{
    sim::ApiCall api_call{sim::CallKind::release};
    auto* dc = find_dc(handle);
    if (!dc || !object)
        return nullptr;
    auto& state = dc->state;
    switch (object_type_of(object)) {
    case OBJ_BITMAP: {
        if (!dc->is_memory())
            return nullptr;
        auto bitmap = static_cast<HBITMAP>(object);
        HDC holder = dc_holding(bitmap);
        if (holder && holder != handle && bitmap != default_bitmap_handle())
            return nullptr;
        HBITMAP previous = std::exchange(state.bitmap, bitmap);
        holders().erase(previous);
        holders()[bitmap] = handle;
        return previous;
    }
    case OBJ_PEN:
        return std::exchange(state.pen, static_cast<HPEN>(object));
    case OBJ_BRUSH:
        return std::exchange(state.brush, static_cast<HBRUSH>(object));
    case OBJ_FONT:
        return std::exchange(state.font, static_cast<HFONT>(object));
    case OBJ_REGION: {
        auto& region = handles().find<RegionObject>(object)->region;
        state.clip = region;
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(region_type(region)));
    }
    }
    return nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    sim::ApiCall api_call{sim::CallKind::release};
    DWORD type = object_type_of(object);
    if (!type)
        note_failed_delete(object);
    if (!type || type == OBJ_DC || type == OBJ_MEMDC)
        return FALSE;
    if (is_stock_object(object))
        return TRUE;
    // A bitmap still selected into a DC stays, as on Windows; the DC would otherwise draw on
    // freed pixels.
    if (type == OBJ_BITMAP && dc_holding(static_cast<HBITMAP>(object)))
        return FALSE;
    remove_counted_object(object);
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int index)
{
    sim::ApiCall api_call;
    return stock_object(index);
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_BITMAP:
        return dc->is_memory() ? dc->state.bitmap : default_bitmap_handle();
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_FONT:
        return dc->state.font;
    }
    return nullptr;
}

DWORD WINAPI GetObjectType(HGDIOBJ object)
{
    sim::ApiCall api_call;
    return object_type_of(object);
}

namespace {

int copy_out(const void* data, int size, int capacity, LPVOID out)
{
    if (!out)
        return size;
    int count = std::min(size, capacity);
    if (count <= 0)
        return 0;
    std::memcpy(out, data, count);
    return count;
}

BITMAP describe_bitmap(Bitmap& bitmap)
{
    BITMAP description {};
    description.bmWidth = bitmap.width();
    description.bmHeight = bitmap.height();
    description.bmPlanes = 1;
    description.bmBitsPixel = static_cast<WORD>(bitmap.bits_per_pixel());
    if (bitmap.is_dib_section()) {
        description.bmWidthBytes = bitmap.stride();
        description.bmBits = bitmap.bits();
        return description;
    }
    description.bmWidthBytes = (bitmap.width() * bitmap.bits_per_pixel() + 15) / 16 * 2;
    return description;
}

int get_bitmap_object(Bitmap& bitmap, int capacity, LPVOID out)
{
    // Asked for the size with no buffer, a DIB section answers the size of a BITMAP, as any bitmap.
    if (bitmap.is_dib_section() && out && capacity >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION section {};
        section.dsBm = describe_bitmap(bitmap);
        auto& header = section.dsBmih;
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = bitmap.width();
        // Windows reports the height as a positive number, also for a section stored top-down.
        header.biHeight = bitmap.height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitmap.bits_per_pixel());
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(bitmap.size_in_bytes());
        return copy_out(&section, sizeof section, capacity, out);
    }
    if (out && capacity < static_cast<int>(sizeof(BITMAP)))
        return 0;
    BITMAP description = describe_bitmap(bitmap);
    return copy_out(&description, sizeof description, capacity, out);
}

}

int WINAPI GetObjectA(HANDLE object, int capacity, LPVOID out)
{
    sim::ApiCall api_call;
    if (auto* bitmap = handles().find<Bitmap>(object))
        return get_bitmap_object(*bitmap, capacity, out);
    if (auto* pen = handles().find<Pen>(object)) {
        LOGPEN description { static_cast<UINT>(pen->style), { pen->width, 0 }, pen->color };
        return copy_out(&description, sizeof description, capacity, out);
    }
    if (auto* brush = handles().find<Brush>(object)) {
        LOGBRUSH description { brush->style, brush->color, 0 };
        return copy_out(&description, sizeof description, capacity, out);
    }
    if (auto* font = handles().find<Font>(object))
        return copy_out(&font->description, sizeof font->description, capacity, out);
    return 0;
}
