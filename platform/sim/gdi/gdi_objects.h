// The drawing objects behind GDI handles: pens, brushes, fonts, regions and icons, and the stock set.
#pragma once

#include "platform/api/gdi.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"
#include "platform/sim/handle_table.h"

#include <memory>

namespace sim {

// Pens, brushes, fonts and regions know their OBJ_ type; stock objects survive DeleteObject.
// Bitmaps are sim::Bitmap objects in the same table.
struct GdiObject : Object {
    // The GetStockObject index of a stock object, -1 for the program's own objects.
    int stock_index = -1;
    bool is_stock() const { return stock_index >= 0; }
    virtual DWORD object_type() const = 0;
};

struct Pen : GdiObject {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    // The DC_PEN stock pen draws in the DC's own pen colour.
    bool uses_dc_color = false;
    DWORD object_type() const override { return OBJ_PEN; }
    bool is_null() const { return (style & PS_STYLE_MASK) == PS_NULL; }
};

struct Brush : GdiObject {
    UINT style = BS_SOLID;
    COLORREF color = 0;
    bool uses_dc_color = false;
    DWORD object_type() const override { return OBJ_BRUSH; }
    bool is_null() const { return style == BS_NULL; }
};

struct Font : GdiObject {
    LOGFONTA description {};
    DWORD object_type() const override { return OBJ_FONT; }
};

struct RegionObject : GdiObject {
    Region region;
    DWORD object_type() const override { return OBJ_REGION; }
};

// An icon keeps its own copies of the colour and mask pictures. The colour picture is null for a
// monochrome icon, whose mask is twice as high: the AND half above the XOR half.
struct Icon : Object {
    std::unique_ptr<Bitmap> color;
    Bitmap mask { 0, 0 };
    bool is_icon = true;
    DWORD hotspot_x = 0;
    DWORD hotspot_y = 0;
    int width() const { return color ? color->width() : mask.width(); }
    int height() const { return color ? color->height() : mask.height() / 2; }
    // True when the colour picture carries an alpha channel, which then replaces the mask.
    bool has_alpha() const;
};

template<typename T, typename Handle>
T* find_object(Handle handle)
{
    return handles().find<T>(handle);
}

Bitmap* find_bitmap(HBITMAP);
// Null once the current process holds its quota of GDI objects.
HBITMAP add_bitmap(Bitmap);
// OBJ_ type of a GDI handle, 0 when it names none.
DWORD object_type_of(HGDIOBJ);
bool is_stock_object(HGDIOBJ);

HGDIOBJ stock_object(int index);
Pen& default_pen();
Brush& default_brush();
Font& default_font();
Bitmap& default_bitmap();
// The 1 x 1 monochrome bitmap a new memory DC holds.
HBITMAP default_bitmap_handle();

// A system-colour brush, (HBRUSH)(COLOR_xxx + 1), as window classes name their background.
bool is_system_color_brush(HBRUSH);

}
