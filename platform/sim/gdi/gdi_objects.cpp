#include "platform/sim/gdi/gdi_objects.h"

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"

#include <array>
#include <cstring>

namespace sim {

// Colour pictures whose alphas are all 0 (old icons, or drawn with GDI) or all 255 carry no real
// alpha channel; the mask shapes those icons.
bool Icon::has_alpha() const
{
    if (!color || color->bits_per_pixel() != 32)
        return false;
    bool has_transparent = false;
    bool has_opaque = false;
    for (int y = 0; y < color->height(); ++y) {
        const uint32_t* row = color->row(y);
        for (int x = 0; x < color->width(); ++x) {
            uint32_t alpha = row[x] >> 24;
            if (alpha != 0xFF)
                has_transparent = true;
            if (alpha != 0)
                has_opaque = true;
            if (has_transparent && has_opaque)
                return true;
        }
    }
    return false;
}

Bitmap* find_bitmap(HBITMAP handle)
{
    return handles().find<Bitmap>(handle);
}

HBITMAP add_bitmap(Bitmap bitmap)
{
    return reinterpret_cast<HBITMAP>(add_counted_object(std::make_unique<Bitmap>(std::move(bitmap))));
}

namespace {

// Index of the default 1 x 1 monochrome bitmap that every new memory DC holds, beside the
// GetStockObject indices.
constexpr int default_bitmap_index = 20;

// The bitmap a new memory DC holds; its own type tells it apart from every other object, also
// after a reset of the handle table has given its handle to something else.
struct DefaultBitmap : Bitmap {
    DefaultBitmap()
        : Bitmap(1, 1)
    {
        set_bits_per_pixel(1);
        fill(0xFF000000);
    }
};

std::unique_ptr<Object> make_stock_object(int index)
{
    auto pen = [](int style, COLORREF color) {
        auto object = std::make_unique<Pen>();
        object->style = style;
        object->color = color;
        return object;
    };
    auto brush = [](UINT style, COLORREF color) {
        auto object = std::make_unique<Brush>();
        object->style = style;
        object->color = color;
        return object;
    };
    auto font = [](const char* face, int height, bool is_fixed) {
        auto object = std::make_unique<Font>();
        object->description.lfHeight = height;
        object->description.lfWeight = FW_NORMAL;
        object->description.lfPitchAndFamily = is_fixed ? FIXED_PITCH : VARIABLE_PITCH;
        std::strncpy(object->description.lfFaceName, face, LF_FACESIZE - 1);
        return object;
    };
    switch (index) {
    case WHITE_BRUSH:
        return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
        return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
        return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH:
        return brush(BS_NULL, 0);
    case WHITE_PEN:
        return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN:
        return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN:
        return pen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return font("Courier", 16, true);
    case ANSI_VAR_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT:
        return font("MS Shell Dlg", -11, false);
    case SYSTEM_FONT:
        return font("System", 16, false);
    case DC_BRUSH: {
        auto object = brush(BS_SOLID, RGB(255, 255, 255));
        object->uses_dc_color = true;
        return object;
    }
    case DC_PEN: {
        auto object = pen(PS_SOLID, RGB(0, 0, 0));
        object->uses_dc_color = true;
        return object;
    }
    case default_bitmap_index:
        return std::make_unique<DefaultBitmap>();
    }
    return nullptr;
}

// Stock objects are made on first use and made again after the desktop's handle table was reset.
std::array<uintptr_t, default_bitmap_index + 1>& stock_handles()
{
    static std::array<uintptr_t, default_bitmap_index + 1> handles_by_index {};
    return handles_by_index;
}

bool is_stock_object_at(uintptr_t handle, int index)
{
    if (index == default_bitmap_index)
        return handles().find<DefaultBitmap>(handle) != nullptr;
    auto* object = handles().find<GdiObject>(handle);
    return object && object->stock_index == index;
}

}

HGDIOBJ stock_object(int index)
{
    if (index < 0 || index > default_bitmap_index)
        return nullptr;
    auto& handle = stock_handles()[index];
    if (handle && is_stock_object_at(handle, index))
        return reinterpret_cast<HGDIOBJ>(handle);
    auto object = make_stock_object(index);
    if (!object) {
        handle = 0;
        return nullptr;
    }
    if (auto* gdi_object = dynamic_cast<GdiObject*>(object.get()))
        gdi_object->stock_index = index;
    handle = handles().add(std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);
}

bool is_stock_object(HGDIOBJ handle)
{
    if (auto* object = handles().find<GdiObject>(handle))
        return object->is_stock();
    return handles().find<DefaultBitmap>(handle) != nullptr;
}

Pen& default_pen()
{
    return *handles().find<Pen>(stock_object(BLACK_PEN));
}

Brush& default_brush()
{
    return *handles().find<Brush>(stock_object(WHITE_BRUSH));
}

Font& default_font()
{
    return *handles().find<Font>(stock_object(SYSTEM_FONT));
}

HBITMAP default_bitmap_handle()
{
    return static_cast<HBITMAP>(stock_object(default_bitmap_index));
}

Bitmap& default_bitmap()
{
    return *handles().find<Bitmap>(stock_object(default_bitmap_index));
}

DWORD object_type_of(HGDIOBJ handle)
{
    if (auto* object = handles().find<GdiObject>(handle))
        return object->object_type();
    if (handles().find<Bitmap>(handle))
        return OBJ_BITMAP;
    if (auto* dc = handles().find<DeviceContext>(handle))
        return dc->is_memory() ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

bool is_system_color_brush(HBRUSH brush)
{
    auto value = reinterpret_cast<uintptr_t>(brush);
    return value >= 1 && value <= 31;
}

}
