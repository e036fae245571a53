#include "platform/sim/gdi/text_painter.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/painter.h"

namespace sim {

ScaledFont* selected_font(const DeviceContext& dc)
{
    auto* font = find_object<Font>(dc.state.font);
    return scaled_font(font ? font->description : default_font().description);
}

int text_width(ScaledFont& font, std::u32string_view text)
{
    int width = 0;
    for (char32_t c : text)
        width += font.advance_of(c);
    return width;
}

namespace {

uint32_t blend_coverage(uint32_t destination, uint32_t color, uint32_t coverage)
{
    auto mix = [&](int shift) {
        uint32_t d = (destination >> shift) & 0xFF;
        uint32_t s = (color >> shift) & 0xFF;
        return ((d * (255 - coverage) + s * coverage + 127) / 255) << shift;
    };
    // Text is GDI drawing: what it touches has the alpha byte 0.
    return mix(16) | mix(8) | mix(0);
}

}

int draw_text_run(const DeviceContext& dc, ScaledFont& font, const TextRun& run)
{
    int width = 0;
    for (size_t i = 0; i < run.text.size(); ++i)
        width += i < run.advances.size() ? run.advances[i] : font.advance_of(run.text[i]);
    auto target = draw_target(dc);
    if (!target)
        return width;
    POINT origin = target.origin();
    Region clip = target.clip();
    if (run.limit)
        clip = clip.intersected(Region::rectangle(offset_rect(*run.limit, origin)));
    RECT cell { run.position.x, run.position.y, run.position.x + width, run.position.y + font.height() };
    if (dc.state.background_mode == OPAQUE) {
        uint32_t background = gdi_pixel(dc.state.background_color);
        for_each_span(clip, offset_rect(cell, origin), [&](int y, int left, int right) {
            uint32_t* row = target.bitmap().row(y);
            std::fill(row + left, row + right, background);
        });
    }
    uint32_t color = gdi_pixel(dc.state.text_color);
    int baseline = run.position.y + font.ascent() + origin.y;
    int pen_x = run.position.x + origin.x;
    auto draw_line = [&](int left, int right, int top) {
        RECT line { left, top, right, top + font.line_thickness() };
        for_each_span(clip, line, [&](int y, int from, int to) {
            uint32_t* row = target.bitmap().row(y);
            std::fill(row + from, row + to, color);
        });
    };
    for (size_t i = 0; i < run.text.size(); ++i) {
        const Glyph& glyph = font.glyph(run.text[i]);
        int advance = i < run.advances.size() ? run.advances[i] : glyph.advance;
        for (int gy = 0; gy < glyph.height; ++gy) {
            int y = baseline - glyph.top + gy;
            const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(gy) * glyph.width;
            for (int gx = 0; gx < glyph.width; ++gx) {
                int x = pen_x + glyph.left + gx;
                if (!coverage[gx] || !clip.contains(x, y))
                    continue;
                uint32_t& pixel = target.bitmap().row(y)[x];
                pixel = blend_coverage(pixel, color, coverage[gx]);
            }
        }
        if (static_cast<int>(i) == run.underlined_index)
            draw_line(pen_x, pen_x + advance, baseline + font.underline_offset());
        pen_x += advance;
    }
    int left = run.position.x + origin.x;
    if (font.is_underlined())
        draw_line(left, left + width, baseline + font.underline_offset());
    if (font.is_struck_out())
        draw_line(left, left + width, baseline - font.strike_out_offset());
    return width;
}

}
