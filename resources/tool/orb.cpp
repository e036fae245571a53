#include "resources/tool/orb.h"
#include "resources/tool/shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

// A "K" of three strokes, in a box of the given half size around the centre.
float initial_distance(float x, float y, float cx, float cy, float size)
{
    float stem = segment_distance(x, y, cx - size * 0.45f, cy - size, cx - size * 0.45f, cy + size);
    float upper = segment_distance(x, y, cx - size * 0.35f, cy + size * 0.1f, cx + size * 0.6f, cy - size);
    float lower = segment_distance(x, y, cx - size * 0.05f, cy - size * 0.2f, cx + size * 0.65f, cy + size);
    return std::min({ stem, upper, lower }) - size * 0.17f;
}

}

void draw_orb(Canvas& canvas, float cx, float cy, float radius, OrbState state)
{
    Colour edge = rgb(14, 70, 120);
    Colour centre = rgb(64, 170, 214);
    Colour halo = rgb(70, 190, 255, 0.0f);
    if (state == OrbState::hover) {
        edge = rgb(26, 110, 170);
        centre = rgb(120, 225, 255);
        halo = rgb(90, 210, 255, 0.75f);
    }
    if (state == OrbState::pressed) {
        edge = rgb(8, 42, 78);
        centre = rgb(36, 116, 168);
        halo = rgb(60, 150, 220, 0.35f);
    }
    if (halo.a > 0) {
        canvas.paint([&](float x, float y) {
            float distance = circle_distance(x, y, cx, cy, radius);
            return faded(halo, halo.a * falloff(std::max(distance, 0.0f), 5));
        });
    }
    canvas.paint([&](float x, float y) {
        return faded(rgb(6, 14, 24), coverage(circle_distance(x, y, cx, cy, radius)));
    });
    canvas.paint([&](float x, float y) {
        float distance = circle_distance(x, y, cx, cy, radius - 1);
        // Light gathers low in the orb, as in lit glass.
        float glow = falloff(std::hypot(x - cx, (y - (cy + radius * 0.45f)) * 1.3f), radius * 1.25f);
        return faded(mix(edge, centre, glow), coverage(distance));
    });
    canvas.paint([&](float x, float y) {
        float dx = (x - cx) / (radius * 0.78f);
        float dy = (y - (cy - radius * 0.42f)) / (radius * 0.52f);
        float gloss = clamp01(1 - dx * dx - dy * dy);
        return faded(rgb(255, 255, 255), std::sqrt(gloss) * (state == OrbState::pressed ? 0.35f : 0.55f));
    });
    canvas.paint([&](float x, float y) {
        float distance = circle_distance(x, y, cx, cy, radius - 1);
        float ring = coverage(distance) * coverage(-distance - 1);
        return faded(rgb(200, 235, 255), ring * 0.6f);
    });
    float size = radius * 0.42f;
    canvas.paint([&](float x, float y) {
        return faded(rgb(0, 30, 60), coverage(initial_distance(x, y, cx, cy + 0.5f, size) - 1) * 0.45f);
    });
    canvas.paint([&](float x, float y) {
        return faded(rgb(255, 255, 255), coverage(initial_distance(x, y, cx, cy, size)) * (state == OrbState::pressed ? 0.85f : 1));
    });
}

}
