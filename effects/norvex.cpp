#include "effects/norvex.h"

#include "effects/bitmap_pixels.h"
#include "effects/blit_area.h"
#include "effects/kernels/alpha_blend.h"
#include "effects/kernels/blur.h"
#include "effects/kernels/brightness.h"
#include "effects/kernels/hsl.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

using namespace norvex;

namespace {

// A copy of a rectangle of pixels, for a call whose source and destination overlap in one bitmap.
PixelView copy_of(const PixelView& pixels, std::vector<uint32_t>& storage)
{
    storage.resize(static_cast<size_t>(pixels.width) * pixels.height);
    PixelView copy { storage.data(), pixels.width, pixels.height, pixels.width };
    for (int y = 0; y < pixels.height; ++y)
        std::copy_n(pixels.row(y), pixels.width, copy.row(y));
    return copy;
}

// Runs an effect from a rectangle of the bitmap selected into source_dc to a rectangle of the
// bitmap selected into destination_dc, both clipped to their bitmaps.
template <typename Effect>
LONG apply_between(HDC destination_dc, HDC source_dc, BlitArea area, Effect effect)
{
    BitmapPixels destination(destination_dc, nullptr);
    HBITMAP source_bitmap = bitmap_of(source_dc, nullptr);
    if (!destination.is_valid() || !source_bitmap)
        return FALSE;
    std::optional<BitmapPixels> other_source;
    PixelView source_pixels = destination.view();
    if (source_bitmap != destination.bitmap()) {
        other_source.emplace(source_dc, source_bitmap);
        if (!other_source->is_valid())
            return FALSE;
        source_pixels = other_source->view();
    }
    area = clip_to_pictures(
        area, destination.view().width, destination.view().height, source_pixels.width, source_pixels.height);
    if (area.is_empty())
        return TRUE;
    PixelView target = destination.view().sub_view(area.destination_x, area.destination_y, area.width, area.height);
    PixelView source = source_pixels.sub_view(area.source_x, area.source_y, area.width, area.height);
    std::vector<uint32_t> storage;
    bool is_shifted_in_place
        = !other_source && (area.source_x != area.destination_x || area.source_y != area.destination_y);
    if (is_shifted_in_place)
        source = copy_of(source, storage);
    effect(target, source);
    destination.mark_changed();
    return TRUE;
}

// The key colour as the kernels see pixels: a COLORREF holds red in its low byte.
uint32_t pixel_of(COLORREF colour)
{
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (static_cast<uint32_t>(GetGValue(colour)) << 8)
        | GetBValue(colour);
}

}

extern "C" {

NORVEX_API LONG WINAPI FoxBlur(HDC hdcDest, HBITMAP hbmDest, HDC, HBITMAP, LONG*, LONG, LONG)
{
    BitmapPixels picture(hdcDest, hbmDest);
    if (!picture.is_valid())
        return FALSE;
    blur_once(picture.view());
    picture.mark_changed();
    return TRUE;
}

NORVEX_API LONG WINAPI FoxBrightness(HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG amount, LONG, LONG)
{
    BitmapPixels destination(hdcDest, hbmDest);
    HBITMAP source_bitmap = bitmap_of(hdcSrc, hbmSrc);
    if (!destination.is_valid() || !source_bitmap)
        return FALSE;
    int level = static_cast<int>(std::clamp<LONG>(amount, -255, 255));
    if (source_bitmap == destination.bitmap()) {
        shift_brightness(destination.view(), destination.view(), level);
        destination.mark_changed();
        return TRUE;
    }
    BitmapPixels source(hdcSrc, source_bitmap);
    if (!source.is_valid())
        return FALSE;
    int width = std::min(destination.view().width, source.view().width);
    int height = std::min(destination.view().height, source.view().height);
    shift_brightness(
        destination.view().sub_view(0, 0, width, height), source.view().sub_view(0, 0, width, height), level);
    destination.mark_changed();
    return TRUE;
}

NORVEX_API LONG WINAPI FoxAlphaBlend(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc,
    LONG xSrc, LONG ySrc, BYTE alpha, COLORREF keyColor, LONG)
{
    BlitArea area { xDest, yDest, xSrc, ySrc, width, height };
    uint32_t key = pixel_of(keyColor);
    return apply_between(
        hdcDest, hdcSrc, area, [&](PixelView target, PixelView source) { blend_over(target, source, alpha, key); });
}

NORVEX_API LONG WINAPI FoxHSL(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc,
    LONG ySrc, FLOAT hue, FLOAT saturation, LONG, LONG, LONG)
{
    if (!std::isfinite(hue) || !std::isfinite(saturation))
        return FALSE;
    HslChange change = make_hsl_change(hue, saturation);
    // Nothing to change in place: the bitmap need not even be read.
    if (change.is_identity() && hdcDest == hdcSrc && xDest == xSrc && yDest == ySrc && bitmap_of(hdcDest, nullptr))
        return TRUE;
    BlitArea area { xDest, yDest, xSrc, ySrc, width, height };
    return apply_between(
        hdcDest, hdcSrc, area, [&](PixelView target, PixelView source) { recolour(target, source, change); });
}
}
