// The program's icon: a pane of blue glass with a window frame on it, at 32, 24 and 16 pixels,
// each in full colour with alpha and in 256 colours with on/off transparency.
#include "resources/tool/artwork.h"
#include "resources/tool/shapes.h"

#include <cmath>
#include <set>

namespace artwork {

namespace {

Canvas icon_art(int size)
{
    float s = float(size);
    Canvas canvas(size, size);
    float margin = s / 16;
    Box pane { margin, margin, s - margin, s - margin };
    float radius = s * 0.2f;
    canvas.paint([&](float x, float y) {
        return faded(rgb(8, 40, 90), coverage(rounded_box_distance(x, y, pane, all_corners(radius))));
    });
    canvas.paint([&](float x, float y) {
        float t = (y - pane.top) / pane.height();
        Colour colour = mix(rgb(96, 196, 240), rgb(18, 86, 178), t);
        float glow = falloff(std::hypot(x - s / 2, (y - pane.bottom) * 1.4f), s * 0.7f) * 0.5f;
        colour = mix(colour, rgb(120, 230, 255), glow);
        return faded(colour, coverage(rounded_box_distance(x, y, pane.inset(1), all_corners(radius - 1))));
    });
    // The window on the glass: a white frame with a translucent inside.
    Box window { s * 0.24f, s * 0.30f, s * 0.76f, s * 0.74f };
    float stroke = std::max(1.0f, s / 16);
    Box inner { window.left + stroke, window.top + stroke * 2, window.right - stroke, window.bottom - stroke };
    canvas.paint([&](float x, float y) {
        return faded(rgb(225, 245, 255), coverage(rounded_box_distance(x, y, inner, {})) * 0.35f);
    });
    canvas.paint([&](float x, float y) {
        float outer = rounded_box_distance(x, y, window, all_corners(s / 32));
        float frame = std::max(outer, -rounded_box_distance(x, y, inner, {}));
        return faded(rgb(255, 255, 255), coverage(frame));
    });
    canvas.paint([&](float x, float y) {
        float dx = (x - s / 2) / (s * 0.42f);
        float dy = (y - s * 0.22f) / (s * 0.22f);
        float inside = coverage(rounded_box_distance(x, y, pane.inset(1), all_corners(radius - 1)));
        return faded(rgb(255, 255, 255), std::sqrt(clamp01(1 - dx * dx - dy * dy)) * 0.40f * inside);
    });
    return canvas;
}

Colour rounded_to(Colour colour, int levels)
{
    auto round = [&](float channel) { return std::round(clamp01(channel) * (levels - 1)) / (levels - 1); };
    return { round(colour.r), round(colour.g), round(colour.b), 1 };
}

// The picture in at most 256 colours, each pixel opaque or transparent: the channels are
// rounded just coarsely enough to leave no more than 256 distinct colours, which keeps the
// small images nearly as they are drawn.
Canvas in_256_colours(const Canvas& picture)
{
    for (int levels = 256;; levels = levels * 3 / 4) {
        Canvas result = picture;
        std::set<std::uint32_t> colours;
        result.transform([&](int, int, Colour colour) {
            if (colour.a < 0.5f)
                return transparent;
            Colour rounded = rounded_to(colour, levels);
            colours.insert(to_argb(rounded));
            return rounded;
        });
        if (colours.size() <= 256 || levels <= 2)
            return result;
    }
}

}

void add_program_icon(Artwork& artwork)
{
    IconEntry icon { "FrmSplash.Icon", "the program's icon", {} };
    for (int size : { 32, 24, 16 }) {
        Canvas art = icon_art(size);
        icon.images.push_back({ in_256_colours(art), 8 });
        icon.images.push_back({ std::move(art), 32 });
    }
    artwork.icons.push_back(std::move(icon));
}

}
