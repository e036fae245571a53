#include "resources/tool/caption_button_look.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

struct BodyColours {
    Colour top;
    Colour above_middle;
    Colour below_middle;
    Colour bottom;
    Colour glow;
};

BodyColours body_colours(const ButtonLook& look)
{
    bool is_close = look.glyph == Glyph::close;
    bool is_dark = look.tone == ButtonTone::dark;
    switch (look.state) {
    case ButtonState::hover:
        if (is_close)
            return { rgb(252, 200, 182), rgb(240, 140, 110), rgb(222, 70, 31), rgb(246, 138, 58), rgb(255, 214, 120) };
        return { rgb(214, 238, 252), rgb(142, 199, 239), rgb(61, 149, 216), rgb(110, 206, 246), rgb(180, 246, 255) };
    case ButtonState::pressed:
        if (is_close)
            return { rgb(201, 128, 111), rgb(168, 74, 52), rgb(134, 31, 13), rgb(161, 58, 28), rgb(220, 110, 60, 0.6f) };
        return { rgb(142, 177, 207), rgb(93, 132, 173), rgb(42, 87, 136), rgb(60, 139, 192), rgb(120, 200, 240, 0.6f) };
    case ButtonState::inert:
        if (is_dark)
            return { rgb(92, 96, 104), rgb(70, 74, 81), rgb(52, 55, 61), rgb(60, 64, 71), transparent };
        return { rgb(226, 230, 235), rgb(204, 210, 218), rgb(182, 190, 200), rgb(196, 203, 212), transparent };
    case ButtonState::normal:
        break;
    }
    if (is_close && is_dark)
        return { rgb(188, 104, 86), rgb(160, 62, 42), rgb(122, 31, 16), rgb(141, 48, 28), rgb(200, 90, 60, 0.5f) };
    if (is_close)
        return { rgb(236, 172, 156), rgb(214, 116, 94), rgb(186, 64, 40), rgb(201, 92, 60), rgb(240, 150, 90, 0.5f) };
    if (is_dark)
        return { rgb(98, 106, 120), rgb(62, 68, 80), rgb(28, 32, 40), rgb(46, 52, 63), rgb(110, 140, 180, 0.4f) };
    return { rgb(226, 233, 242), rgb(188, 202, 220), rgb(143, 166, 194), rgb(170, 190, 214), rgb(210, 230, 250, 0.5f) };
}

Colour rim_colour(const ButtonLook& look)
{
    if (look.tone == ButtonTone::dark)
        return rgb(8, 10, 14);
    if (look.glyph == Glyph::close)
        return rgb(74, 22, 14);
    return rgb(38, 52, 72);
}

// Distance to the glyph's strokes, centred at (cx, cy).
float glyph_distance(Glyph glyph, float x, float y, float cx, float cy)
{
    switch (glyph) {
    case Glyph::minimise:
        return rounded_box_distance(x, y, { cx - 4.5f, cy + 2, cx + 4.5f, cy + 4 }, all_corners(0.5f));
    case Glyph::maximise: {
        Box outer { cx - 4.5f, cy - 4, cx + 4.5f, cy + 4 };
        Box inner { cx - 3.5f, cy - 2, cx + 3.5f, cy + 3 };
        return std::max(rounded_box_distance(x, y, outer, all_corners(0.5f)),
            -rounded_box_distance(x, y, inner, {}));
    }
    case Glyph::restore: {
        auto frame = [&](float left, float top) {
            Box outer { left, top, left + 7, top + 6 };
            Box inner { left + 1, top + 2, left + 6, top + 5 };
            return std::max(rounded_box_distance(x, y, outer, all_corners(0.5f)),
                -rounded_box_distance(x, y, inner, {}));
        };
        float front = frame(cx - 4.5f, cy - 1);
        float back = frame(cx - 2.5f, cy - 4);
        float hidden_by_front = -rounded_box_distance(x, y, { cx - 4.5f, cy - 1, cx + 2.5f, cy + 5 }, {});
        return std::min(front, std::max(back, hidden_by_front));
    }
    case Glyph::close: {
        float first = segment_distance(x, y, cx - 3.6f, cy - 3.4f, cx + 3.6f, cy + 3.4f);
        float second = segment_distance(x, y, cx + 3.6f, cy - 3.4f, cx - 3.6f, cy + 3.4f);
        return std::min(first, second) - 1.15f;
    }
    }
    return 1e9f;
}

}

Corners button_corners(bool is_first_in_group, bool is_last_in_group)
{
    Corners corners;
    if (is_first_in_group) {
        corners.top_left = 2;
        corners.bottom_left = 5;
    }
    if (is_last_in_group) {
        corners.top_right = 2;
        corners.bottom_right = 5;
    }
    return corners;
}

void draw_caption_button(Canvas& canvas, Box box, Corners corners, ButtonLook look)
{
    auto colours = body_colours(look);
    Colour rim = rim_colour(look);
    float opacity = look.opacity;
    Box body = box.inset(1);
    Corners inner_corners { std::max(corners.top_left - 1, 0.0f), std::max(corners.top_right - 1, 0.0f),
        std::max(corners.bottom_right - 1, 0.0f), std::max(corners.bottom_left - 1, 0.0f) };
    Area area { int(box.left), int(box.top), int(box.right + 0.999f), int(box.bottom + 0.999f) };

    canvas.paint(area, [&](float x, float y) {
        return faded(rim, coverage(rounded_box_distance(x, y, box, corners)) * std::min(1.0f, opacity + 0.25f));
    });
    canvas.paint(area, [&](float x, float y) {
        float inside = coverage(rounded_box_distance(x, y, body, inner_corners));
        float t = (y - body.top) / body.height();
        Colour colour = t < 0.46f ? mix(colours.top, colours.above_middle, t / 0.46f)
                                  : mix(colours.below_middle, colours.bottom, (t - 0.46f) / 0.54f);
        // A light pooled at the bottom centre, as if the glass caught light from below.
        float dx = (x - (body.left + body.right) / 2) / (body.width() * 0.55f);
        float dy = (body.bottom - y) / (body.height() * 0.5f);
        float glow = clamp01(1 - (dx * dx + dy * dy)) * colours.glow.a;
        colour = mix(colour, with_alpha(colours.glow, 1), glow);
        return faded(colour, inside * opacity);
    });
    // A thin bright line just inside the rim: the polished edge of the glass.
    canvas.paint(area, [&](float x, float y) {
        float distance = rounded_box_distance(x, y, body, inner_corners);
        float ring = coverage(distance) * coverage(-distance - 1);
        float t = (y - body.top) / body.height();
        float strength = (look.state == ButtonState::pressed ? 0.25f : 0.55f) * (1 - 0.6f * t);
        return faded(rgb(255, 255, 255), ring * strength * std::max(opacity, 0.6f));
    });
    if (look.state == ButtonState::pressed) {
        canvas.paint(area, [&](float x, float y) {
            float inside = coverage(rounded_box_distance(x, y, body, inner_corners));
            float shade = clamp01(1 - (y - body.top) / 4);
            return faded(rgb(0, 0, 0), inside * shade * 0.35f * opacity);
        });
    }

    // Centred on a pixel centre so that the glyph's straight strokes fall on whole pixels.
    float cx = std::floor((box.left + box.right) / 2) + 0.5f;
    float cy = std::floor((box.top + box.bottom) / 2);
    if (look.state == ButtonState::pressed)
        cy += 1;
    bool is_inert = look.state == ButtonState::inert;
    canvas.paint(area, [&](float x, float y) {
        // A dark halo keeps the white glyph readable on the brightest glass.
        float distance = glyph_distance(look.glyph, x, y - 0.4f, cx, cy);
        return faded(rgb(10, 20, 35), coverage(distance - 1.1f) * (is_inert ? 0.12f : 0.42f));
    });
    Colour glyph_colour = is_inert ? rgb(255, 255, 255, 0.55f) : rgb(255, 255, 255);
    canvas.paint(area, [&](float x, float y) {
        return faded(glyph_colour, coverage(glyph_distance(look.glyph, x, y, cx, cy)));
    });
}

}
