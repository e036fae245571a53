// Block transfers: BitBlt, StretchBlt, PatBlt, AlphaBlend, TransparentBlt, StretchDIBits.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/alpha_rows.h"
#include "platform/sim/gdi/blit.h"
#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/coordinate_space.h"
#include "platform/sim/gdi/dib_format.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

using namespace sim;

namespace {

uint32_t to_monochrome(uint32_t pixel)
{
    int brightness = red_of(pixel) + green_of(pixel) + blue_of(pixel);
    return brightness >= 3 * 128 ? 0xFFFFFFFF : 0xFF000000;
}

// The pattern of a transfer: the destination's brush, none for a null brush.
std::optional<uint32_t> pattern_of(const DeviceContext& dc, const DrawTarget& target)
{
    auto pattern = selected_brush_pixel(dc);
    if (pattern && target.bitmap().is_monochrome())
        return to_monochrome(*pattern);
    return pattern;
}

struct Span {
    int y = 0;
    int left = 0;
    int right = 0;
};

// The common case of a same-size copy: whole spans are copied at once. Within one bitmap (a scroll)
// the spans go row by row in the direction that reads every pixel before it is overwritten.
void copy_spans(const DrawTarget& target, const RECT& dest_rect, const BlitSource& source, int dx, int dy)
{
    POINT origin = target.origin();
    POINT source_origin = source.origin();
    const Bitmap& pixels = source.bitmap();
    int row_shift = -origin.y + dy + source_origin.y;
    int column_shift = -origin.x + dx + source_origin.x;
    auto copy = [&](int y, int left, int right) {
        int source_row = y + row_shift;
        if (source_row < 0 || source_row >= pixels.height())
            return;
        left = std::max(left, -column_shift);
        right = std::min(right, pixels.width() - column_shift);
        if (left >= right)
            return;
        std::memmove(target.bitmap().row(y) + left, pixels.row(source_row) + left + column_shift,
            static_cast<size_t>(right - left) * sizeof(uint32_t));
    };
    RECT area = offset_rect(dest_rect, origin);
    if (&pixels != &target.bitmap()) {
        for_each_span(target.clip(), area, copy);
        return;
    }
    std::vector<Span> spans;
    for_each_span(target.clip(), area, [&](int y, int left, int right) { spans.push_back({ y, left, right }); });
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return std::tie(a.y, a.left) < std::tie(b.y, b.left); });
    bool is_backwards = row_shift < 0 || (row_shift == 0 && column_shift < 0);
    if (is_backwards)
        std::reverse(spans.begin(), spans.end());
    for (const Span& span : spans)
        copy(span.y, span.left, span.right);
}

BOOL pattern_blit(const DeviceContext& dc, const RECT& rect, RasterOperation operation)
{
    auto target = draw_target(dc);
    if (!target)
        return TRUE;
    auto pattern = pattern_of(dc, target);
    if (operation.uses_pattern() && !pattern)
        return TRUE;
    uint32_t pattern_pixel = pattern.value_or(0);
    paint_rect(target, rect, [&](uint32_t& pixel) { pixel = operation.apply(pattern_pixel, 0, pixel); });
    return TRUE;
}

// The pixels of a stretching transfer in the DC's stretch mode. Shrinking, BLACKONWHITE keeps the
// black of the dropped pixels by AND and WHITEONBLACK their white by OR; the other modes keep one.
void stretch_pixels(const DeviceContext& dc, const DrawTarget& target, const BlitSource& source,
    const StretchAxis& columns, const StretchAxis& rows, RasterOperation operation)
{
    uint32_t pattern = pattern_of(dc, target).value_or(0);
    auto apply = [&](uint32_t pixel, uint32_t& destination) { destination = operation.apply(pattern, pixel, destination); };
    int mode = dc.state.stretch_mode;
    if ((mode == BLACKONWHITE || mode == WHITEONBLACK) && (columns.shrinks() || rows.shrinks())) {
        transfer_gathered(target, source, columns, rows,
            [&](uint32_t kept, uint32_t pixel) { return mode == BLACKONWHITE ? kept & pixel : kept | pixel; }, apply);
        return;
    }
    if (operation.is_source_copy())
        transfer_stretched(target, source, columns, rows, [](uint32_t pixel, uint32_t& destination) { destination = pixel; });
    else
        transfer_stretched(target, source, columns, rows, apply);
}

BOOL stretch_blit(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y,
    int source_width, int source_height, DWORD rop)
{
    auto* dc = find_dc(dest);
    if (!dc || !is_rect_in_coordinate_space(x, y, width, height))
        return FALSE;
    RasterOperation operation(rop);
    if (!operation.uses_source())
        return pattern_blit(*dc, { x, y, x + width, y + height }, operation);
    auto* source_dc = find_dc(src);
    if (!source_dc || !width || !height || !source_width || !source_height
        || !is_rect_in_coordinate_space(source_x, source_y, source_width, source_height))
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    StretchAxis columns(StretchDirection::columns, x, width, source_x, source_width);
    StretchAxis rows(StretchDirection::rows, y, height, source_y, source_height);
    RECT source_area = normalised({ source_x, source_y, source_x + source_width, source_y + source_height });
    if (source_width < 0)
        source_area = { source_x + source_width + 1, source_area.top, source_x + 1, source_area.bottom };
    if (source_height < 0)
        source_area = { source_area.left, source_y + source_height + 1, source_area.right, source_y + 1 };
    bool is_same_size = width == source_width && height == source_height && width > 0 && height > 0;
    bool copies_spans = is_same_size && operation.is_source_copy();
    BlitSource source(*source_dc, *dc, target.bitmap(), source_area,
        copies_spans ? BlitSource::Overlap::CopiedInOrder : BlitSource::Overlap::SetAside);
    if (!source)
        return FALSE;
    if (copies_spans && source.is_plain()) {
        copy_spans(target, stretched_area(columns, rows), source, source_x - x, source_y - y);
        return TRUE;
    }
    stretch_pixels(*dc, target, source, columns, rows, operation);
    return TRUE;
}

}

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y, DWORD rop)
{
    sim::ApiCall api_call;
    if (width <= 0 || height <= 0)
        return find_dc(dest) ? TRUE : FALSE;
    return stretch_blit(dest, x, y, width, height, src, source_x, source_y, width, height, rop);
}

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y,
    int source_width, int source_height, DWORD rop)
{
    sim::ApiCall api_call;
    return stretch_blit(dest, x, y, width, height, src, source_x, source_y, source_width, source_height, rop);
}

BOOL WINAPI PatBlt(HDC dest, int x, int y, int width, int height, DWORD rop)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(dest);
    if (!dc)
        return FALSE;
    RasterOperation operation(rop);
    if (operation.uses_source() || !is_rect_in_coordinate_space(x, y, width, height))
        return FALSE;
    return pattern_blit(*dc, { x, y, x + width, y + height }, operation);
}

namespace {

// Copies a source rectangle stretched over a destination rectangle, combining the source pixels
// with the destination pixels they land on; what AlphaBlend and TransparentBlt share.
// transfer(target, source, columns, rows) does the combining.
template<typename Transfer>
BOOL stretch_combine(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y,
    int source_width, int source_height, Transfer transfer)
{
    if (!is_rect_in_coordinate_space(x, y, width, height)
        || !is_rect_in_coordinate_space(source_x, source_y, source_width, source_height))
        return FALSE;
    RECT to { x, y, x + width, y + height };
    RECT from { source_x, source_y, source_x + source_width, source_y + source_height };
    auto* dc = find_dc(dest);
    auto* source_dc = find_dc(src);
    if (!dc || !source_dc)
        return FALSE;
    if (to.right <= to.left || to.bottom <= to.top || from.right <= from.left || from.bottom <= from.top)
        return FALSE;
    auto target = draw_target(*dc);
    if (!target)
        return TRUE;
    BlitSource source(*source_dc, *dc, target.bitmap(), from);
    if (!source)
        return FALSE;
    StretchAxis columns(StretchDirection::columns, to.left, to.right - to.left, from.left, from.right - from.left);
    StretchAxis rows(StretchDirection::rows, to.top, to.bottom - to.top, from.top, from.bottom - from.top);
    transfer(target, source, columns, rows);
    return TRUE;
}

}

BOOL WINAPI AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y,
    int source_width, int source_height, BLENDFUNCTION blend)
{
    sim::ApiCall api_call;
    if (blend.BlendOp != AC_SRC_OVER)
        return FALSE;
    uint32_t constant = blend.SourceConstantAlpha;
    auto blend_row = blend.AlphaFormat & AC_SRC_ALPHA ? lay_premultiplied_row : mix_row_by_constant;
    return stretch_combine(dest, x, y, width, height, src, source_x, source_y, source_width, source_height,
        [&](const DrawTarget& target, const BlitSource& source, const StretchAxis& columns, const StretchAxis& rows) {
            transfer_stretched_rows(target, source, columns, rows, [&](const uint32_t* from, uint32_t* to, int count) {
                blend_row(from, to, count, constant);
            });
        });
}

BOOL WINAPI TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int source_x, int source_y,
    int source_width, int source_height, UINT transparent)
{
    sim::ApiCall api_call;
    uint32_t key = gdi_pixel(transparent) & 0xFFFFFF;
    return stretch_combine(dest, x, y, width, height, src, source_x, source_y, source_width, source_height,
        [&](const DrawTarget& target, const BlitSource& source, const StretchAxis& columns, const StretchAxis& rows) {
            transfer_stretched(target, source, columns, rows, [&](uint32_t pixel, uint32_t& destination) {
                if ((pixel & 0xFFFFFF) != key)
                    destination = pixel;
            });
        });
}

int WINAPI StretchDIBits(HDC dest, int x, int y, int width, int height, int source_x, int source_y,
    int source_width, int source_height, const VOID* bits, const BITMAPINFO* info, UINT, DWORD rop)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(dest);
    if (!dc || !bits || !info || !width || !height || !source_width || !source_height)
        return 0;
    if (!is_rect_in_coordinate_space(x, y, width, height)
        || !is_rect_in_coordinate_space(source_x, source_y, source_width, source_height))
        return 0;
    auto layout = dib_layout(*info);
    if (!layout)
        return 0;
    auto target = draw_target(*dc);
    if (!target)
        return layout->height;
    ReadSource read;
    read.keep_alive = std::make_shared<Bitmap>(bitmap_from_dib(*layout, static_cast<const uint8_t*>(bits)));
    read.bitmap = read.keep_alive.get();
    BlitSource source(std::move(read));
    // The source rectangle of a bottom-up DIB is measured from its bottom row.
    int top = layout->is_bottom_up ? layout->height - source_y - source_height : source_y;
    StretchAxis columns(StretchDirection::columns, x, width, source_x, source_width);
    StretchAxis rows(StretchDirection::rows, y, height, top, source_height);
    stretch_pixels(*dc, target, source, columns, rows, RasterOperation(rop));
    return layout->height;
}
