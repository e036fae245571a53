// Soft lights with per-pixel alpha that fade to nothing at their edges: the hover glow of the
// caption buttons and the menu lights of the preferences window.
#include "resources/tool/artwork.h"
#include "resources/tool/shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

// The glow window is placed 9 pixels left of and above the button; the glow reaches 9 pixels
// beyond the button on every side and stays faint over the button itself so that its glyph
// shows through.
constexpr int glow_reach = 9;
constexpr int button_height = 18;

Canvas caption_glow(int button_width, Colour outer, Colour inner)
{
    Canvas canvas(button_width + 2 * glow_reach, button_height + 2 * glow_reach);
    Box button { float(glow_reach), float(glow_reach), float(glow_reach + button_width),
        float(glow_reach + button_height) };
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, button, all_corners(4));
        if (distance > 0)
            return faded(outer, outer.a * falloff(distance, glow_reach - 0.5f));
        // Inside: a light rising from the bottom edge, strongest near the rim.
        float rim = falloff(-distance, 4) * 0.35f;
        float from_bottom = falloff(button.bottom - y, button_height * 0.8f) * 0.35f;
        return faded(inner, std::max(rim, from_bottom) * inner.a);
    });
    return canvas;
}

// The light over the highlighted item of the preferences menu (129 x 25).
Canvas menu_light(bool is_pressed)
{
    Canvas canvas(129, 25);
    Box bar { 2, 2, 127, 23 };
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, bar, all_corners(4));
        float t = (y - bar.top) / bar.height();
        if (is_pressed) {
            float body = coverage(distance) * (0.20f + 0.20f * t);
            float edge = falloff(std::abs(distance), 2.2f) * 0.35f;
            return faded(rgb(120, 190, 255), std::max(body, edge));
        }
        float gloss = t < 0.5f ? 0.30f - 0.2f * t : 0.10f + 0.16f * (t - 0.5f);
        float body = coverage(distance) * gloss;
        float edge = falloff(std::abs(distance), 2.2f) * 0.45f;
        float dx = (x - 64.5f) / 60;
        float dy = (y - 24) / 10;
        float pool = clamp01(1 - dx * dx - dy * dy) * coverage(distance) * 0.35f;
        return faded(rgb(230, 244, 255), std::max(body, edge) + pool);
    });
    // Fade the outermost ring to nothing so the light never ends in a hard edge.
    canvas.transform([&](int x, int y, Colour colour) {
        int border = std::min({ x, y, 128 - x, 24 - y });
        return border == 0 ? with_alpha(colour, 0) : colour;
    });
    return canvas;
}

}

void add_glows(Artwork& artwork)
{
    auto add = [&](const char* name, Canvas picture) {
        artwork.skins.push_back({ name, SkinFormat::png_with_alpha, std::move(picture) });
    };
    Colour blue_glow = rgb(120, 210, 255, 0.85f);
    Colour blue_inner = rgb(220, 245, 255, 0.9f);
    add("min_glow.cbg", caption_glow(26, blue_glow, blue_inner));
    add("max_glow.cbg", caption_glow(25, blue_glow, blue_inner));
    add("close_glow.cbg", caption_glow(44, rgb(255, 120, 60, 0.9f), rgb(255, 210, 160, 0.9f)));
    add("mLight.mlt", menu_light(false));
    add("mLight_D.mlt", menu_light(true));
}

}
