// The pictures of the preferences window: the menu panel's background, the info picture and
// the hand cursor of the update notice.
#include "resources/tool/artwork.h"
#include "resources/tool/key_colour.h"
#include "resources/tool/shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

// Deep blue glass, lit from the top left, with a hairline between the pages and the two
// items at the bottom; the white menu items read well on every part of it.
Canvas menu_panel()
{
    Canvas canvas(150, 516);
    canvas.paint([](float x, float y) {
        Colour base = mix(rgb(28, 46, 70), rgb(8, 14, 24), y / 516);
        float light = falloff(std::hypot(x / 1.4f, y), 260) * 0.45f;
        base = mix(base, rgb(64, 116, 170), light);
        float streak = falloff(std::abs((x * 0.9f + y) - 150), 70) * 0.10f;
        base = mix(base, rgb(150, 190, 230), streak);
        float glow = falloff(std::hypot(x - 40, (y - 516) * 1.6f), 170) * 0.22f;
        base = mix(base, rgb(40, 110, 150), glow);
        // Two faint swept bands of light, as in polished dark glass.
        float sweep = 330 + 60 * std::sin(x / 150 * 3.14159f);
        float band = falloff(std::abs(y - sweep), 26) * 0.10f + falloff(std::abs(y - sweep - 34), 8) * 0.07f;
        return mix(base, rgb(140, 200, 240), band);
    });
    canvas.paint({ 140, 0, 142, 516 }, [](float x, float y) {
        float strength = x < 141 ? 0.10f : 0.22f;
        return faded(rgb(200, 225, 255), strength * (1 - 0.5f * y / 516));
    });
    canvas.paint({ 10, 440, 132, 441 }, [](float x, float) {
        return faded(rgb(170, 200, 235), 0.35f * falloff(std::abs(x - 71), 61));
    });
    canvas.paint({ 10, 441, 132, 442 }, [](float x, float) {
        return faded(rgb(0, 0, 0), 0.30f * falloff(std::abs(x - 71), 61));
    });
    return canvas;
}

Canvas info_picture()
{
    Canvas canvas(16, 16, rgb(255, 255, 255));
    canvas.paint([](float x, float y) {
        float distance = circle_distance(x, y, 8, 8, 7.5f);
        float t = y / 16;
        Colour body = mix(rgb(110, 170, 240), rgb(20, 84, 180), t);
        Colour colour = distance > -1 ? rgb(18, 60, 130) : body;
        return faded(colour, coverage(distance));
    });
    canvas.paint([](float x, float y) {
        float dot = circle_distance(x, y, 8, 4.6f, 1.3f);
        float stem = rounded_box_distance(x, y, { 6.9f, 6.6f, 9.1f, 12.5f }, all_corners(0.5f));
        return faded(rgb(255, 255, 255), coverage(std::min(dot, stem)));
    });
    flatten(canvas, rgb(255, 255, 255));
    return canvas;
}

float hand_distance(float x, float y)
{
    float index_finger = rounded_box_distance(x, y, { 4.5f, 0, 9, 14 }, all_corners(2.2f));
    float middle = rounded_box_distance(x, y, { 9, 6.5f, 13, 15 }, all_corners(2));
    float ring = rounded_box_distance(x, y, { 13, 7.5f, 17, 16 }, all_corners(2));
    float little = rounded_box_distance(x, y, { 17, 9.5f, 20.5f, 17 }, all_corners(1.8f));
    float palm = rounded_box_distance(x, y, { 4.5f, 12, 20.5f, 25 }, { 1, 1, 5, 4 });
    float thumb = segment_distance(x, y, 6, 19, 1.8f, 13.5f) - 2.1f;
    return std::min({ index_finger, middle, ring, little, palm, thumb });
}

// A white gloved hand pointing up, its fingertip at (6, 0).
Canvas hand_cursor()
{
    Canvas canvas(32, 32);
    canvas.paint([](float x, float y) {
        return faded(rgb(0, 0, 0), coverage(hand_distance(x - 1, y - 1.5f) - 0.6f) * 0.28f);
    });
    canvas.paint([](float x, float y) {
        float distance = hand_distance(x, y);
        Colour colour = mix(rgb(255, 255, 255), rgb(226, 232, 240), y / 26);
        colour = mix(rgb(0, 0, 0), colour, coverage(distance + 1.1f));
        return faded(colour, coverage(distance));
    });
    canvas.paint([](float x, float y) {
        float creases = std::min({ segment_distance(x, y, 9, 10, 9, 14.5f), segment_distance(x, y, 13, 10.5f, 13, 15.5f),
            segment_distance(x, y, 17, 12, 17, 16.5f) });
        return faded(rgb(40, 40, 40), coverage(creases - 0.35f) * 0.8f);
    });
    return canvas;
}

}

void add_settings_pictures(Artwork& artwork)
{
    artwork.pictures.push_back({ "frmSettings.Picture4", "menu panel background", menu_panel() });
    artwork.pictures.push_back({ "frmSettings.Picture10", "info picture", info_picture() });
    artwork.pictures.push_back({ "frmSettings.Label12.MouseIcon", "hand cursor, hot spot (6, 0)", hand_cursor(), 32, 6, 0 });
}

}
