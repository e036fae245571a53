// The taskbar skin: the bar with its red cut-out and the three looks of the start button.
#include "resources/tool/artwork.h"
#include "resources/tool/key_colour.h"
#include "resources/tool/orb.h"
#include "resources/tool/shapes.h"

namespace artwork {

namespace {

constexpr int bar_width = 2100;
constexpr int bar_height = 34;
constexpr int cut_rows = 4;

// Above the bar only a trapezoid stays, where the top of the start button rises above it:
// pixels 24 to 35 of the first row, two more on each side with every row below.
bool is_cut_out(int x, int y)
{
    if (y >= cut_rows)
        return false;
    return x < 24 - 2 * y || x > 35 + 2 * y;
}

Colour bar_colour(float x, float y)
{
    float row = y - cut_rows;
    if (row < 0)
        return rgb(18, 22, 28);
    if (row < 1)
        return rgb(104, 112, 124);
    float t = (row - 1) / (bar_height - cut_rows - 1);
    Colour colour = t < 0.45f ? mix(rgb(52, 58, 68), rgb(34, 38, 46), t / 0.45f)
                              : mix(rgb(16, 18, 22), rgb(8, 10, 13), (t - 0.45f) / 0.55f);
    // A faint blue light rising from the bottom edge.
    float glow = falloff(bar_height - y, 9) * 0.22f;
    colour = mix(colour, rgb(40, 90, 140), glow);
    if (x >= 64 && x < 65 && row > 4 && row < bar_height - cut_rows - 4)
        return mix(colour, rgb(0, 0, 0), 0.6f);
    if (x >= 65 && x < 66 && row > 4 && row < bar_height - cut_rows - 4)
        return mix(colour, rgb(120, 130, 145), 0.5f);
    return colour;
}

void cut_top_rows(Canvas& canvas)
{
    canvas.transform([](int x, int y, Colour colour) { return is_cut_out(x, y) ? key_red : colour; });
}

Canvas taskbar()
{
    Canvas canvas(bar_width, bar_height);
    canvas.paint(bar_colour);
    flatten(canvas, rgb(0, 0, 0));
    cut_top_rows(canvas);
    return canvas;
}

Canvas start_button(OrbState state)
{
    Canvas canvas(58, bar_height);
    canvas.paint(bar_colour);
    draw_orb(canvas, 29.5f, 18, 16, state);
    flatten(canvas, rgb(0, 0, 0));
    cut_top_rows(canvas);
    return canvas;
}

}

void add_taskbar_pictures(Artwork& artwork)
{
    artwork.pictures.push_back({ "frmTaskbar.Picture", "taskbar bar", taskbar() });
    artwork.pictures.push_back({ "frmTaskbar.Picture2", "start button as designed", start_button(OrbState::normal) });
    artwork.pictures.push_back({ "frmTaskbar.Picture1(0)", "start button, normal", start_button(OrbState::normal) });
    artwork.pictures.push_back({ "frmTaskbar.Picture1(1)", "start button, hover", start_button(OrbState::hover) });
    artwork.pictures.push_back({ "frmTaskbar.Picture1(2)", "start button, pressed", start_button(OrbState::pressed) });
}

}
