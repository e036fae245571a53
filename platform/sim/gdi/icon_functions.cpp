// Icons: making, copying and drawing them, and loading icons and bitmaps from files.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"

#include <cstdlib>

using namespace sim;

namespace {

constexpr int default_icon_size = 32;

HICON add_icon(std::unique_ptr<Icon> icon)
{
    return reinterpret_cast<HICON>(add_counted_object(std::move(icon), Holding::UserObject));
}

Icon* find_icon(HICON handle)
{
    return handles().find<Icon>(handle);
}

std::unique_ptr<Icon> copy_of(const Icon& icon)
{
    auto copy = std::make_unique<Icon>();
    if (icon.color)
        copy->color = std::make_unique<Bitmap>(*icon.color);
    copy->mask = icon.mask;
    copy->is_icon = icon.is_icon;
    copy->hotspot_x = icon.hotspot_x;
    copy->hotspot_y = icon.hotspot_y;
    return copy;
}

// A plain top-down copy of a bitmap's pixels, without its DIB section memory.
Bitmap plain_copy(Bitmap& bitmap)
{
    bitmap.pull_client_bits();
    Bitmap copy(bitmap.width(), bitmap.height());
    copy.set_bits_per_pixel(bitmap.is_monochrome() ? 1 : 32);
    for (int y = 0; y < bitmap.height(); ++y)
        std::copy(bitmap.row(y), bitmap.row(y) + bitmap.width(), copy.row(y));
    return copy;
}

bool is_white(uint32_t pixel)
{
    return (pixel & 0xFFFFFF) != 0;
}

uint32_t over(uint32_t destination, uint32_t color)
{
    uint32_t alpha = alpha_of(color);
    auto mix = [&](int shift) {
        uint32_t s = (color >> shift) & 0xFF;
        uint32_t d = (destination >> shift) & 0xFF;
        return ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    };
    uint32_t result_alpha = alpha + scale_byte(alpha_of(destination), 255 - alpha);
    return (result_alpha << 24) | mix(16) | mix(8) | mix(0);
}

}

HICON WINAPI CreateIconIndirect(PICONINFO info)
{
    sim::ApiCall api_call;
    if (!info)
        return nullptr;
    Bitmap* mask = find_bitmap(info->hbmMask);
    if (!mask)
        return nullptr;
    auto icon = std::make_unique<Icon>();
    icon->mask = plain_copy(*mask);
    icon->mask.set_bits_per_pixel(1);
    if (Bitmap* color = find_bitmap(info->hbmColor))
        icon->color = std::make_unique<Bitmap>(plain_copy(*color));
    icon->is_icon = info->fIcon;
    icon->hotspot_x = info->fIcon ? icon->width() / 2 : info->xHotspot;
    icon->hotspot_y = info->fIcon ? icon->height() / 2 : info->yHotspot;
    return add_icon(std::move(icon));
}

BOOL WINAPI GetIconInfo(HICON handle, PICONINFO info)
{
    sim::ApiCall api_call;
    Icon* icon = find_icon(handle);
    if (!icon || !info)
        return FALSE;
    info->fIcon = icon->is_icon;
    info->xHotspot = icon->hotspot_x;
    info->yHotspot = icon->hotspot_y;
    info->hbmMask = add_bitmap(icon->mask);
    info->hbmColor = icon->color ? add_bitmap(*icon->color) : nullptr;
    if (info->hbmMask && (info->hbmColor || !icon->color))
        return TRUE;
    DeleteObject(info->hbmMask);
    DeleteObject(info->hbmColor);
    info->hbmMask = nullptr;
    info->hbmColor = nullptr;
    return FALSE;
}

HICON WINAPI CopyIcon(HICON handle)
{
    sim::ApiCall api_call;
    Icon* icon = find_icon(handle);
    if (!icon)
        return nullptr;
    return add_icon(copy_of(*icon));
}

BOOL WINAPI DestroyIcon(HICON handle)
{
    sim::ApiCall api_call{sim::CallKind::release};
    if (!find_icon(handle))
        return FALSE;
    remove_counted_object(handle);
    return TRUE;
}

BOOL WINAPI DrawIconEx(HDC handle, int x, int y, HICON icon_handle, int width, int height, UINT, HBRUSH background,
    UINT flags)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    Icon* icon = find_icon(icon_handle);
    if (!dc || !icon || icon->width() <= 0 || icon->height() <= 0)
        return FALSE;
    if (width == 0)
        width = flags & DI_DEFAULTSIZE ? default_icon_size : icon->width();
    if (height == 0)
        height = flags & DI_DEFAULTSIZE ? default_icon_size : icon->height();
    if (width < 0 || height < 0 || !Bitmap::is_possible_size(width, height * 2))
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    RECT area { x, y, x + width, y + height };
    if (background) {
        if (auto color = brush_pixel(*dc, background))
            paint_rect(target, area, [&](uint32_t& pixel) { pixel = *color; });
    }
    // The pictures at the size drawn; a monochrome icon keeps its XOR half below the AND half.
    Bitmap and_mask = resized(icon->mask, width, icon->color ? height : height * 2);
    bool uses_alpha = icon->has_alpha();
    Bitmap image = icon->color ? resized(*icon->color, width, height, uses_alpha) : Bitmap(0, 0);
    bool draws_mask = flags & DI_MASK;
    bool draws_image = flags & DI_IMAGE;
    POINT origin = target.origin();
    for_each_span(target.clip(), offset_rect(area, origin), [&](int row, int left, int right) {
        uint32_t* pixels = target.bitmap().row(row);
        int iy = row - origin.y - y;
        for (int column = left; column < right; ++column) {
            int ix = column - origin.x - x;
            uint32_t mask_pixel = is_white(and_mask.pixel(ix, iy)) ? 0xFFFFFFFF : 0xFF000000;
            uint32_t color = icon->color ? image.pixel(ix, iy) : (is_white(and_mask.pixel(ix, iy + height)) ? 0xFFFFFFFF : 0xFF000000);
            uint32_t& pixel = pixels[column];
            if (uses_alpha && draws_image && draws_mask) {
                pixel = over(pixel, color);
                continue;
            }
            if (draws_mask && draws_image) {
                pixel = ((pixel & mask_pixel) ^ color) & 0x00FFFFFF;
                continue;
            }
            pixel = (draws_mask ? mask_pixel : color) & 0x00FFFFFF;
        }
    });
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC dc, int x, int y, HICON icon)
{
    sim::ApiCall api_call;
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

namespace {

HANDLE load_bitmap_file(const std::vector<uint8_t>& bytes, int width, int height, UINT flags)
{
    auto picture = decode_image(bytes);
    if (!picture)
        return nullptr;
    if ((width && width != picture->width()) || (height && height != picture->height()))
        picture = resized(*picture, width ? width : picture->width(), height ? height : picture->height());
    if (!(flags & LR_CREATEDIBSECTION))
        return add_bitmap(std::move(*picture));
    Bitmap section = Bitmap::dib_section(picture->width(), picture->height(), 32, Bitmap::Orientation::BottomUp);
    for (int y = 0; y < picture->height(); ++y)
        std::copy(picture->row(y), picture->row(y) + picture->width(), section.row(y));
    return add_bitmap(std::move(section));
}

HANDLE load_icon_file(const std::vector<uint8_t>& bytes, UINT type, int width, int height, UINT flags)
{
    auto images = decode_icon_file(bytes);
    if (images.empty())
        return nullptr;
    if (!width)
        width = flags & LR_DEFAULTSIZE ? default_icon_size : images.front().color.width();
    if (!height)
        height = flags & LR_DEFAULTSIZE ? default_icon_size : images.front().color.height();
    // The image closest in size, the deepest colours among equals.
    auto distance = [&](const IconImage& image) {
        return std::abs(image.color.width() - width) + std::abs(image.color.height() - height);
    };
    auto best = images.begin();
    for (auto it = images.begin(); it != images.end(); ++it) {
        if (distance(*it) < distance(*best) || (distance(*it) == distance(*best) && it->bits_per_pixel > best->bits_per_pixel))
            best = it;
    }
    auto icon = std::make_unique<Icon>();
    icon->color = std::make_unique<Bitmap>(resized(best->color, width, height));
    icon->color->set_bits_per_pixel(32);
    icon->mask = resized(best->mask, width, height);
    icon->mask.set_bits_per_pixel(1);
    icon->is_icon = type == IMAGE_ICON;
    icon->hotspot_x = icon->is_icon ? width / 2 : best->hotspot_x * width / std::max(1, best->color.width());
    icon->hotspot_y = icon->is_icon ? height / 2 : best->hotspot_y * height / std::max(1, best->color.height());
    return add_icon(std::move(icon));
}

}

HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    sim::ApiCall api_call;
    if (!Bitmap::is_possible_size(width, height))
        return nullptr;
    // FIXME: only files can be loaded; the simulated modules carry no resources.
    if (!name || IS_INTRESOURCE(name) || !(flags & LR_LOADFROMFILE))
        return nullptr;
    auto bytes = read_host_file(host_path(name));
    if (!bytes)
        return nullptr;
    if (type == IMAGE_BITMAP)
        return load_bitmap_file(*bytes, width, height, flags);
    if (type == IMAGE_ICON || type == IMAGE_CURSOR)
        return load_icon_file(*bytes, type, width, height, flags);
    return nullptr;
}
