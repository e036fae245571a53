// The start-menu skin: the menu with its red cut-out, its two highlights, the exit button and
// the user picture.
#include "resources/tool/artwork.h"
#include "resources/tool/key_colour.h"
#include "resources/tool/shapes.h"

#include <array>
#include <cmath>

namespace artwork {

namespace {

constexpr int menu_width = 419;
constexpr int menu_height = 569;
constexpr int cut_rows = 26;
constexpr Box user_frame { 312, 4, 368, 58 };
constexpr Box user_picture { 316, 6, 364, 54 };
constexpr Box left_panel { 11, 38, 259, 495 };
constexpr Box search_field { 8, 540, 242, 561 };
// How many pixels each of the rows below the cut-out loses at both ends: the rounded corners.
constexpr std::array corner_cuts { 4, 2, 1, 1 };

bool is_cut_out(int x, int y)
{
    if (y < cut_rows) {
        bool is_in_frame = y >= int(user_frame.top) && x >= int(user_frame.left) && x < int(user_frame.right);
        return !is_in_frame;
    }
    std::size_t row = y - cut_rows;
    if (row >= corner_cuts.size())
        return false;
    return x < corner_cuts[row] || x >= menu_width - corner_cuts[row];
}

Colour glass_colour(float x, float y)
{
    float t = (y - cut_rows) / (menu_height - cut_rows);
    Colour colour = mix(rgb(44, 60, 82), rgb(10, 14, 20), t);
    float bloom = falloff(std::hypot((x - 380) * 0.8f, y - 40), 220) * 0.35f;
    colour = mix(colour, rgb(90, 140, 190), bloom);
    float streak = falloff(std::abs(x * 0.7f + y - 420), 60) * 0.08f;
    return mix(colour, rgb(200, 220, 240), streak);
}

void draw_inset_frame(Canvas& canvas, Box box, float radius)
{
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, box.inset(-1), all_corners(radius + 1));
        return faded(rgb(0, 0, 0), falloff(std::max(distance, 0.0f), 4) * 0.35f);
    });
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, box.inset(-1), all_corners(radius + 1));
        float ring = coverage(distance) * coverage(-distance - 1);
        return faded(rgb(150, 170, 195), ring);
    });
}

Canvas start_menu()
{
    Canvas canvas(menu_width, menu_height);
    canvas.paint({ 0, cut_rows, menu_width, menu_height }, glass_colour);
    // The glass's rim: a light top edge and a faint light line down each side.
    canvas.paint({ 0, cut_rows, menu_width, cut_rows + 1 }, [](float, float) { return rgb(150, 170, 196, 0.8f); });
    canvas.paint({ 0, cut_rows + 1, menu_width, cut_rows + 2 }, [](float, float) { return rgb(255, 255, 255, 0.10f); });
    canvas.paint({ 0, cut_rows, 1, menu_height }, [](float, float) { return rgb(150, 170, 196, 0.5f); });
    canvas.paint({ menu_width - 1, cut_rows, menu_width, menu_height }, [](float, float) { return rgb(150, 170, 196, 0.5f); });

    draw_inset_frame(canvas, left_panel, 0);
    canvas.paint({ int(left_panel.left), int(left_panel.top), int(left_panel.right), int(left_panel.bottom) },
        [](float, float) { return rgb(255, 255, 255); });
    draw_inset_frame(canvas, search_field, 3);
    canvas.paint([&](float x, float y) {
        return faded(rgb(255, 255, 255), coverage(rounded_box_distance(x, y, search_field, all_corners(3))));
    });

    // The right column's entries are separated into groups by faint etched lines.
    for (int line_y : { 112, 240, 300 }) {
        canvas.paint({ 270, line_y, 404, line_y + 1 }, [](float x, float) {
            return faded(rgb(0, 0, 0), 0.45f * falloff(std::abs(x - 337), 67));
        });
        canvas.paint({ 270, line_y + 1, 404, line_y + 2 }, [](float x, float) {
            return faded(rgb(160, 185, 215), 0.35f * falloff(std::abs(x - 337), 67));
        });
    }

    // The frame of the user picture rises into the cut-out rows.
    canvas.paint({ int(user_frame.left), int(user_frame.top), int(user_frame.right), int(user_frame.bottom) },
        [&](float x, float y) {
            float t = (y - user_frame.top) / user_frame.height();
            Colour colour = mix(rgb(205, 222, 240), rgb(120, 150, 185), t);
            float distance = rounded_box_distance(x, y, user_frame, all_corners(1));
            return mix(rgb(30, 45, 65), colour, coverage(distance + 1));
        });
    canvas.paint({ int(user_picture.left) - 1, int(user_picture.top) - 1, int(user_picture.right) + 1,
                     int(user_picture.bottom) + 1 },
        [](float, float) { return rgb(40, 55, 75); });

    flatten(canvas, rgb(20, 26, 34));
    canvas.transform([](int x, int y, Colour colour) { return is_cut_out(x, y) ? key_red : colour; });
    return canvas;
}

Canvas right_highlight()
{
    Canvas canvas(144, 31);
    Box bar { 0, 0, 144, 31 };
    canvas.paint([&](float x, float y) {
        return faded(rgb(110, 160, 215), coverage(rounded_box_distance(x, y, bar, all_corners(3))));
    });
    canvas.paint([&](float x, float y) {
        float t = (y - 1) / 29;
        Colour colour = t < 0.5f ? mix(rgb(96, 136, 184), rgb(62, 98, 146), t * 2)
                                 : mix(rgb(38, 70, 116), rgb(56, 104, 160), (t - 0.5f) * 2);
        return faded(colour, coverage(rounded_box_distance(x, y, bar.inset(1), all_corners(2))));
    });
    canvas.paint({ 2, 1, 142, 2 }, [](float, float) { return rgb(255, 255, 255, 0.35f); });
    cut_out(canvas, rgb(40, 52, 68));
    return canvas;
}

Canvas left_highlight()
{
    Canvas canvas(246, 36, rgb(255, 255, 255));
    Box bar { 2, 1, 244, 35 };
    canvas.paint([&](float x, float y) {
        return faded(rgb(125, 162, 206), coverage(rounded_box_distance(x, y, bar, all_corners(3))));
    });
    canvas.paint([&](float x, float y) {
        float t = (y - bar.top) / bar.height();
        return faded(mix(rgb(242, 248, 254), rgb(206, 228, 250), t), coverage(rounded_box_distance(x, y, bar.inset(1), all_corners(2))));
    });
    flatten(canvas, rgb(255, 255, 255));
    return canvas;
}

enum class ExitState {
    normal,
    pressed,
    hover,
};

Canvas exit_button(ExitState state)
{
    Canvas canvas(54, 24);
    canvas.paint([](float x, float y) { return glass_colour(x + 266, y + 538); });
    Box button { 1, 1, 53, 23 };
    Colour top = rgb(226, 120, 96);
    Colour middle = rgb(190, 62, 38);
    Colour bottom = rgb(214, 96, 56);
    if (state == ExitState::hover) {
        top = rgb(250, 170, 140);
        middle = rgb(226, 84, 44);
        bottom = rgb(250, 150, 70);
    }
    if (state == ExitState::pressed) {
        top = rgb(170, 80, 60);
        middle = rgb(130, 32, 16);
        bottom = rgb(160, 60, 30);
    }
    canvas.paint([&](float x, float y) {
        return faded(rgb(60, 16, 10), coverage(rounded_box_distance(x, y, button, all_corners(4))));
    });
    canvas.paint([&](float x, float y) {
        float t = (y - 2) / 20;
        Colour colour = t < 0.48f ? mix(shaded(top, 0.25f), top, t / 0.48f) : mix(middle, bottom, (t - 0.48f) / 0.52f);
        return faded(colour, coverage(rounded_box_distance(x, y, button.inset(1), all_corners(3))));
    });
    canvas.paint([&](float x, float y) {
        float distance = rounded_box_distance(x, y, button.inset(1), all_corners(3));
        return faded(rgb(255, 255, 255), coverage(distance) * coverage(-distance - 1) * 0.45f);
    });
    // The power sign: a ring open at the top, with a bar through the opening.
    float cx = state == ExitState::pressed ? 27.5f : 27;
    float cy = state == ExitState::pressed ? 13 : 12.5f;
    auto power = [&](float x, float y) {
        float ring = std::abs(std::hypot(x - cx, y - cy) - 5.2f) - 0.9f;
        float angle = std::atan2(x - cx, -(y - cy));
        if (std::abs(angle) < 0.6f)
            ring = 1e9f;
        float bar = segment_distance(x, y, cx, cy - 7, cx, cy - 1) - 0.9f;
        return std::min(ring, bar);
    };
    canvas.paint([&](float x, float y) { return faded(rgb(60, 10, 0), coverage(power(x, y - 0.5f) - 0.8f) * 0.45f); });
    canvas.paint([&](float x, float y) { return faded(rgb(255, 255, 255), coverage(power(x, y))); });
    flatten(canvas, rgb(20, 26, 34));
    return canvas;
}

// A sunny landscape: the picture a new user account starts with.
Canvas user_picture_art()
{
    Canvas canvas(48, 48);
    canvas.paint([](float x, float y) {
        Colour sky = mix(rgb(58, 128, 214), rgb(190, 226, 250), y / 34);
        float sun = falloff(std::hypot(x - 33, y - 15), 16);
        sky = mix(sky, rgb(255, 246, 200), sun * 0.8f);
        return sky;
    });
    canvas.paint([](float x, float y) {
        return faded(rgb(255, 250, 220), coverage(circle_distance(x, y, 33, 15, 4.5f)));
    });
    canvas.paint([](float x, float y) {
        float hill = 34 - 6 * std::sin(x / 48 * 3.1f + 0.4f);
        Colour colour = mix(rgb(120, 190, 80), rgb(50, 130, 50), (y - hill) / 14);
        return faded(colour, coverage(hill - y));
    });
    canvas.paint([](float x, float y) {
        float hill = 40 - 4 * std::sin(x / 48 * 4.2f + 2.2f);
        Colour colour = mix(rgb(80, 160, 60), rgb(24, 92, 36), (y - hill) / 8);
        return faded(colour, coverage(hill - y));
    });
    canvas.paint([](float x, float y) {
        float dx = (x - 24) / 30;
        float dy = (y - 2) / 20;
        return faded(rgb(255, 255, 255), clamp01(1 - dx * dx - dy * dy) * 0.25f);
    });
    flatten(canvas, rgb(0, 0, 0));
    return canvas;
}

}

void add_start_menu_pictures(Artwork& artwork)
{
    auto add = [&](const char* name, const char* description, Canvas picture) {
        artwork.pictures.push_back({ name, description, std::move(picture) });
    };
    add("frmStartmenu.Picture", "start menu", start_menu());
    add("frmStartmenu.Picture1", "right-column highlight bar", right_highlight());
    add("frmStartmenu.Image2", "left-column highlight", left_highlight());
    add("frmStartmenu.Picture2", "exit button as designed", exit_button(ExitState::normal));
    add("frmStartmenu.Picture3(0)", "exit button, normal", exit_button(ExitState::normal));
    add("frmStartmenu.Picture3(1)", "exit button, pressed", exit_button(ExitState::pressed));
    add("frmStartmenu.Picture3(2)", "exit button, hover", exit_button(ExitState::hover));
    add("frmStartmenu.Image1", "user picture", user_picture_art());
}

}
