// The eight colour schemes: the tint textures stretched over the border pieces while
// reflections are on, and the previews the colour-scheme dialog shows.
#include "resources/tool/artwork.h"
#include "resources/tool/key_colour.h"
#include "resources/tool/shapes.h"

#include <array>
#include <string>

namespace artwork {

namespace {

struct Scheme {
    const char* file;
    const char* name;
    Colour colour;
};

constexpr std::array schemes {
    Scheme { "cd.rcol", "Default", rgb(92, 150, 214) },
    Scheme { "cg.rcol", "Graphite", rgb(70, 74, 84) },
    Scheme { "cb.rcol", "Blue", rgb(34, 84, 196) },
    Scheme { "ct.rcol", "Teal", rgb(26, 146, 150) },
    Scheme { "cr.rcol", "Red", rgb(196, 36, 44) },
    Scheme { "co.rcol", "Orange", rgb(236, 132, 30) },
    Scheme { "cp.rcol", "Pink", rgb(226, 96, 168) },
    Scheme { "cf.rcol", "Frost", rgb(214, 232, 244) },
};

// A translucent tint, denser at the top as if the colour pooled in the glass.
Canvas scheme_texture(Colour colour)
{
    Canvas canvas(64, 64);
    canvas.paint([&](float x, float y) {
        float t = y / 64;
        float density = 0.50f - 0.16f * t + 0.03f * std::sin(x / 64 * 6.283f);
        return faded(mix(shaded(colour, 0.12f), colour, t), density);
    });
    return canvas;
}

// A glossy tile of the scheme's colour on the dialog's white background.
Canvas scheme_preview(Colour colour)
{
    Canvas canvas(61, 60, rgb(255, 255, 255));
    Box tile { 4, 4, 57, 56 };
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, tile.inset(-1), all_corners(7));
        return faded(rgb(0, 0, 0), falloff(std::max(distance, 0.0f), 3) * 0.18f);
    });
    canvas.paint([&](float x, float y) {
        return faded(shaded(colour, -0.45f), coverage(rounded_box_distance(x, y, tile, all_corners(6))));
    });
    canvas.paint([&](float x, float y) {
        float t = (y - tile.top) / tile.height();
        Colour body = t < 0.48f ? mix(shaded(colour, 0.45f), shaded(colour, 0.15f), t / 0.48f)
                                : mix(shaded(colour, -0.10f), shaded(colour, 0.10f), (t - 0.48f) / 0.52f);
        return faded(body, coverage(rounded_box_distance(x, y, tile.inset(1), all_corners(5))));
    });
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, tile.inset(1), all_corners(5));
        float ring = coverage(distance) * coverage(-distance - 1);
        return faded(rgb(255, 255, 255), ring * 0.55f);
    });
    flatten(canvas, rgb(255, 255, 255));
    return canvas;
}

}

void add_colour_schemes(Artwork& artwork)
{
    for (std::size_t index = 0; index < schemes.size(); ++index) {
        auto& scheme = schemes[index];
        artwork.skins.push_back({ scheme.file, SkinFormat::png_with_alpha, scheme_texture(scheme.colour) });
        artwork.pictures.push_back({ "frmColDialog.Picture1(" + std::to_string(index) + ")",
            std::string("preview of the scheme ") + scheme.name, scheme_preview(scheme.colour) });
    }
}

}
