#include "resources/tool/in_place_previews.h"
#include "resources/tool/key_colour.h"
#include "resources/tool/shapes.h"

#include <cmath>

namespace artwork {

namespace {

// A stand-in for what lies behind the glass: a soft desktop of blue and green light.
Colour desktop_colour(float x, float y)
{
    Colour colour = mix(rgb(30, 90, 160), rgb(120, 190, 120), clamp01(y / 700));
    float light = falloff(std::hypot(x - 500, y - 120), 500);
    return mix(colour, rgb(200, 230, 250), light * 0.5f);
}

// Lays the picture over the canvas, leaving out its pure red and applying a constant opacity,
// as a window shaped by colour and made translucent shows it.
void draw_shaped(Canvas& canvas, const Canvas& picture, int left, int top, float opacity)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Colour colour = picture.pixel(x, y);
            if (to_argb(colour) == to_argb(key_red))
                continue;
            canvas.blend(left + x, top + y, faded(colour, opacity));
        }
    }
}

Canvas stretched(const Canvas& picture, int width, int height)
{
    Canvas result(width, height);
    result.transform([&](int x, int y, Colour) {
        return picture.pixel(x * picture.width() / width, y * picture.height() / height);
    });
    return result;
}

Canvas border_caption(const Artwork& artwork, int height, bool is_explorer)
{
    constexpr int width = 460;
    Canvas canvas(width, height);
    canvas.paint([](float x, float y) {
        Colour glass = desktop_colour(x + 300, y + 200);
        return mix(glass, rgb(255, 255, 255), 0.25f);
    });
    canvas.draw(stretched(skin_picture(artwork, "cd.rcol"), width, height), 0, 0);
    canvas.draw(skin_picture(artwork, "reflections2.refl"), -200, 0);
    canvas.draw(skin_picture(artwork, "Light_TL.refl"), 0, 0);
    canvas.draw(skin_picture(artwork, "Light_TR.refl"), width - 120, 0);
    if (is_explorer) {
        canvas.draw(skin_picture(artwork, "top_bar.vee"), 8, height - 32);
        canvas.draw(skin_picture(artwork, "normal_bar.cbox"), width - 99, 0);
        return canvas;
    }
    // The buttons themselves, with the glow of the hovered close button over them.
    int left = width - 99;
    draw_shaped(canvas, designer_picture(artwork, "frmTrans.Picture12(0)"), left, 0, 1);
    draw_shaped(canvas, designer_picture(artwork, "frmTrans.Picture12(1)"), left + 26, 0, 1);
    draw_shaped(canvas, designer_picture(artwork, "frmTrans.Picture13(2)"), left + 51, 0, 1);
    canvas.draw(skin_picture(artwork, "close_glow.cbg"), left + 51 - 9, -9);
    return canvas;
}

// Both skins are layered windows: their children are composed first, then the whole window
// is laid over the desktop at the window's opacity.
Canvas shell_skin(const Artwork& artwork)
{
    Canvas canvas(640, 640);
    canvas.paint(desktop_colour);
    Canvas bar = designer_picture(artwork, "frmTaskbar.Picture");
    Canvas menu = designer_picture(artwork, "frmStartmenu.Picture");
    draw_shaped(menu, designer_picture(artwork, "frmStartmenu.Image2"), 11, 38, 1);
    draw_shaped(menu, designer_picture(artwork, "frmStartmenu.Picture1"), 264, 81, 1);
    draw_shaped(menu, designer_picture(artwork, "frmStartmenu.Image1"), 316, 6, 1);
    draw_shaped(menu, designer_picture(artwork, "frmStartmenu.Picture3(2)"), 266, 538, 1);
    for (int y = 0; y < 34; ++y) {
        for (int x = 0; x < 58; ++x)
            bar.set_pixel(x, y, designer_picture(artwork, "frmTaskbar.Picture1(1)").pixel(x, y));
    }
    int bar_top = canvas.height() - bar.height();
    draw_shaped(canvas, menu, 0, bar_top - menu.height() + 6, 0.87f);
    draw_shaped(canvas, bar, 0, bar_top, 0.8f);
    return canvas;
}

Canvas preferences_menu(const Artwork& artwork)
{
    Canvas canvas = designer_picture(artwork, "frmSettings.Picture4");
    auto& panel = designer_picture(artwork, "frmSettings.Picture4");
    auto highlight = [&](int top, const char* light) {
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 129; ++x)
                canvas.set_pixel(x, top + y, panel.pixel(x, top + y));
        }
        canvas.draw(skin_picture(artwork, light), 0, top);
    };
    highlight(75, "mLight.mlt");
    highlight(139, "mLight_D.mlt");
    return canvas;
}

}

std::vector<Preview> draw_in_place_previews(const Artwork& artwork)
{
    std::vector<Preview> previews;
    previews.push_back({ "caption, close button hovered", border_caption(artwork, 25, false) });
    previews.push_back({ "explorer caption, reflections on", border_caption(artwork, 62, true) });
    previews.push_back({ "taskbar and start menu", shell_skin(artwork) });
    previews.push_back({ "preferences menu, hover and pressed", preferences_menu(artwork) });
    return previews;
}

}
