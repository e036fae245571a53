// The skin files a border window draws over its glass: the texture, the reflection and light
// overlays, the caption-button strips shown while reflections are on, and the address bar.
#include "resources/tool/artwork.h"
#include "resources/tool/caption_button_look.h"
#include "resources/tool/shapes.h"

#include <cmath>

namespace artwork {

namespace {

// A frosted grain: soft clouds of light, with scattered magenta (the texture's transparent
// colour) pixels so that the glass glints through the frost.
Canvas border_texture()
{
    Canvas canvas(1024, 768);
    canvas.transform([](int x, int y, Colour) {
        float grain = hash01(x, y, 7);
        float cloud = value_noise(float(x), float(y), 48, 3) * 0.6f + value_noise(float(x), float(y), 12, 5) * 0.4f;
        if (grain < 0.18f + 0.22f * (1 - cloud))
            return rgb(255, 0, 255);
        float sheen = 0.5f + 0.5f * std::sin((x + y * 0.6f) / 90.0f);
        float level = 0.80f + 0.10f * cloud + 0.06f * sheen + 0.04f * grain;
        return Colour { level * 0.97f, level * 0.99f, level, 1 };
    });
    return canvas;
}

// Broad diagonal sheens across the caption, fixed to the screen as the border moves.
Canvas caption_reflection()
{
    Canvas canvas(1600, 64);
    canvas.paint([](float x, float y) {
        float across = x + y * 1.8f;
        float band = 0;
        band += 0.34f * falloff(std::abs(across - 520), 90);
        band += 0.20f * falloff(std::abs(across - 700), 40);
        band += 0.26f * falloff(std::abs(across - 1080), 140);
        band += 0.16f * falloff(std::abs(across - 1300), 30);
        float vertical = 1 - 0.55f * (y / 64);
        float edges = edge_fade(x, y, 1600, 64, 4) * smoothstep(0, 160, std::min(x, 1600 - x)) * (1 - smoothstep(40, 64, y));
        return faded(rgb(255, 255, 255), band * vertical * edges);
    });
    return canvas;
}

// A soft light in a top corner of the caption; the light sits inside the picture so that its
// edges fade out completely.
Canvas corner_light(bool is_left)
{
    Canvas canvas(120, 40);
    canvas.paint([&](float x, float y) {
        float centre_x = is_left ? 26 : 94;
        float dx = (x - centre_x) / 60;
        float dy = (y - 6) / 22;
        float light = falloff(std::sqrt(dx * dx + dy * dy), 1) * 0.55f;
        float core = falloff(std::sqrt(dx * dx * 4 + dy * dy * 3), 1) * 0.25f;
        return faded(rgb(255, 255, 255), (light + core) * edge_fade(x, y, 120, 40, 3));
    });
    return canvas;
}

// A light running down the side pieces, stretched over their upper half.
Canvas side_light()
{
    Canvas canvas(8, 256);
    canvas.paint([](float x, float y) {
        float along = 1 - smoothstep(0, 1, y / 256);
        float across = 1 - std::abs(x - 4) / 5;
        return faded(rgb(255, 255, 255), 0.5f * along * across);
    });
    return canvas;
}

constexpr int strip_height = 18;

// The caption buttons as glass that lets the border show through, for reflections mode; they
// lie exactly where the buttons themselves are.
Canvas button_strip(int width, bool has_minimise, bool has_maximise, int close_left)
{
    Canvas canvas(width, strip_height);
    auto draw = [&](float left, float right, Glyph glyph, Corners corners) {
        draw_caption_button(canvas, { left, 0, right, float(strip_height) }, corners,
            { glyph, ButtonState::normal, ButtonTone::light, 0.45f });
    };
    if (has_minimise)
        draw(0, 26, Glyph::minimise, button_corners(true, !has_maximise));
    if (has_maximise)
        draw(26, 51, Glyph::maximise, button_corners(false, false));
    draw(float(close_left), float(close_left + 44), Glyph::close, button_corners(!has_minimise && !has_maximise, true));
    return canvas;
}

void draw_arrow_button(Canvas& canvas, float centre_x, float centre_y, bool points_left, bool is_enabled)
{
    float radius = 11;
    canvas.paint([&](float x, float y) {
        float distance = circle_distance(x, y, centre_x, centre_y, radius);
        return faded(rgb(16, 36, 70), coverage(distance) * 0.85f);
    });
    canvas.paint([&](float x, float y) {
        float distance = circle_distance(x, y, centre_x, centre_y, radius - 1);
        float t = (y - (centre_y - radius)) / (2 * radius);
        Colour top = is_enabled ? rgb(120, 180, 240) : rgb(150, 165, 185);
        Colour bottom = is_enabled ? rgb(30, 100, 190) : rgb(95, 110, 130);
        Colour colour = t < 0.5f ? mix(shaded(top, 0.35f), top, t * 2) : mix(bottom, shaded(bottom, 0.3f), (t - 0.5f) * 2);
        return faded(colour, coverage(distance));
    });
    canvas.paint([&](float x, float y) {
        float dx = (x - centre_x) / (radius * 0.75f);
        float dy = (y - (centre_y - radius * 0.45f)) / (radius * 0.45f);
        return faded(rgb(255, 255, 255), clamp01(1 - dx * dx - dy * dy) * 0.45f);
    });
    float direction = points_left ? -1 : 1;
    canvas.paint([&](float x, float y) {
        float tip_x = centre_x + direction * 5;
        float tail_x = centre_x - direction * 5;
        float shaft = segment_distance(x, y, tail_x, centre_y, tip_x, centre_y);
        float upper = segment_distance(x, y, tip_x, centre_y, tip_x - direction * 4.5f, centre_y - 4.5f);
        float lower = segment_distance(x, y, tip_x, centre_y, tip_x - direction * 4.5f, centre_y + 4.5f);
        float distance = std::min({ shaft, upper, lower }) - 1.2f;
        return faded(rgb(255, 255, 255), coverage(distance) * (is_enabled ? 1.0f : 0.7f));
    });
}

// The address bar of the explorer layout: back and forward buttons and the address field,
// drawn 8 pixels from the caption's left edge; the window icon and the address text lie on it.
Canvas address_bar()
{
    Canvas canvas(1600, 30);
    draw_arrow_button(canvas, 13, 16, true, true);
    draw_arrow_button(canvas, 40, 16, false, false);
    Box field { 64, 5, 1598, 27 };
    canvas.paint([&](float x, float y) {
        return faded(rgb(40, 60, 90), coverage(rounded_box_distance(x, y, field, all_corners(3))) * 0.55f);
    });
    canvas.paint([&](float x, float y) {
        float t = (y - field.top) / field.height();
        Colour colour = mix(rgb(255, 255, 255, 0.80f), rgb(236, 242, 250, 0.72f), t);
        return faded(colour, coverage(rounded_box_distance(x, y, field.inset(1), all_corners(2))));
    });
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, field.inset(1), all_corners(2));
        float ring = coverage(distance) * coverage(-distance - 1);
        return faded(rgb(255, 255, 255), ring * 0.8f);
    });
    return canvas;
}

}

void add_border_skins(Artwork& artwork)
{
    auto add = [&](const char* name, Canvas picture, SkinFormat format = SkinFormat::png_with_alpha) {
        artwork.skins.push_back({ name, format, std::move(picture) });
    };
    add("back.tpci", border_texture(), SkinFormat::bmp);
    add("reflections2.refl", caption_reflection());
    add("Light_TL.refl", corner_light(true));
    add("Light_TR.refl", corner_light(false));
    add("Light_Side3.refl", side_light());
    add("normal_bar.cbox", button_strip(99, true, true, 51));
    add("normal_bar_minclose.cbox", button_strip(99, true, false, 51));
    add("normal_bar_single.cbox", button_strip(48, false, false, 0));
    add("top_bar.vee", address_bar());
}

}
