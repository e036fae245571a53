// frmTrans, composition: what turns the pieces' backgrounds, cut from the capture, into glass. The
// render pass calls each step in its place; the effects themselves are in frmTrans_effects.cpp.
#include "border/frmTrans.h"

#include "services/basFoxCBmp3.h"
#include "services/modGlobal.h"
#include "services/modLoadPicBox.h"
#include "settings/frmSettings.h"

namespace {

// The halo around the caption text: prints 1 and 2 pixels off its place on both diagonals.
constexpr int HaloReach = 2;
// The reflection's offset from the caption's left edge, and the right light's from its right edge.
constexpr double ReflectionOffset = 450;
constexpr double RightLightOffset = 120;

void blur_once(runtime::PictureBox& picture)
{
    runtime::skip_on_error([&] {
        LONG reserved = 0;
        HBITMAP image = picture.Image().bitmap();
        FoxBlur(picture.hDC(), image, picture.hDC(), image, reserved, 0, 0);
    });
}

}

std::string frmTrans::program_file(const std::string& name)
{
    return program().App().Path() + "\\" + name;
}

void frmTrans::draw_image(const std::string& name, runtime::PictureBox& target, int x, int y)
{
    // A missing or unreadable image is left out; the pass does not look at the error text.
    std::string error;
    runtime::skip_on_error([&] { LoadPictureGDIPlus(program_file(name), target, runtime::checked_integer(x), runtime::checked_integer(y), true, error); });
}

void frmTrans::compose_caption()
{
    const Globals& g = globals(program());
    Picture1.ScaleMode(runtime::vbPixels);
    if (g.BrightnessOn)
        runtime::skip_on_error([&] { BrightPicture(Picture1); });
    if (g.BorderColorOn)
        runtime::skip_on_error([&] { ColorPicture(Picture1); });

    if (g.ReflectionsOn) {
        // The colour-scheme texture over all four targets; no scheme chosen names no image.
        if (!g.ColorSchemeFile.empty()) {
            for (runtime::PictureBox* target : { &Picture1, &Picture5, &Picture7, &Picture9 }) {
                // Stretched over the target in pixels, whatever scale the target is in.
                int scale = target->ScaleMode();
                target->ScaleMode(runtime::vbPixels);
                std::string error;
                runtime::skip_on_error([&] { LoadPictureGDIPlusStretched(program_file(g.ColorSchemeFile), *target, 0, 0, true, error); });
                target->ScaleMode(scale);
            }
        }
        // The reflection stays fixed to the screen: it moves left as the border moves right, and right
        // by half as the border moves down.
        runtime::skip_on_error([&] {
            double left = Left();
            double top = Top();
            double width = Width();
            double x = top / 15 / 2 - ReflectionOffset + width / 15 / 2 - width / 15 / 8 - left / 15;
            draw_image("reflections2.refl", Picture1, runtime::CInt(x), 0);
        });
        draw_image("Light_TL.refl", Picture1, 0, 0);
        runtime::skip_on_error([&] {
            draw_image("Light_TR.refl", Picture1, runtime::CInt(Picture1.Width() / 15.0 - RightLightOffset), 0);
        });
    }

    if (g.BlurAmount >= 0) {
        for (int i = 1; i <= HaloReach; ++i) {
            for (auto [x, y] : { std::pair { -i, i }, std::pair { i, -i }, std::pair { i, i }, std::pair { -i, -i } })
                runtime::skip_on_error([&, x = x, y = y] { CopyCaption(x, y, 0); });
        }
    }
    Picture1.ScaleMode(runtime::vbTwips);
}

void frmTrans::blur_and_tint_buffers()
{
    const Globals& g = globals(program());
    for (int i = 0; i <= g.BlurAmount; ++i)
        blur_once(Picture1);
    // The buffers are blurred in turn: left, right, bottom, left, right, bottom and so on.
    for (int i = 0; i <= g.BlurAmount; ++i) {
        for (runtime::PictureBox* buffer : { &Picture5, &Picture7, &Picture9 })
            blur_once(*buffer);
    }
    for (runtime::PictureBox* buffer : { &Picture5, &Picture7, &Picture9 }) {
        if (g.BrightnessOn)
            runtime::skip_on_error([&] { BrightPicture(*buffer); });
        if (g.BorderColorOn)
            runtime::skip_on_error([&] { ColorPicture(*buffer); });
    }
}

void frmTrans::draw_caption_corners()
{
    // The three pixels of each top corner in the inner-line colour shape the rounded corners.
    runtime::skip_on_error([&] {
        long inner = program().form<frmSettings>().Picture13.BackColor();
        Picture1.ScaleMode(runtime::vbPixels);
        float scale_width = Picture1.ScaleWidth();
        float width = Picture1.Width() / 15;
        for (auto [x, y] : { std::pair { 0.0F, 0.0F }, std::pair { 1.0F, 0.0F }, std::pair { 0.0F, 1.0F },
                 std::pair { scale_width - 1, 0.0F }, std::pair { width - 2, 0.0F }, std::pair { width - 1, 1.0F } })
            runtime::skip_on_error([&, x = x, y = y] { Picture1.PSet(x, y, inner); });
    });
    Picture1.ScaleMode(runtime::vbTwips);
}

void frmTrans::draw_side_lights()
{
    // Drawn after the blur, so they stay sharp; the bottom buffer gets none.
    if (!globals(program()).ReflectionsOn)
        return;
    for (runtime::PictureBox* buffer : { &Picture5, &Picture7 }) {
        std::string error;
        runtime::skip_on_error([&] { LoadPictureGDIPlusHalf(program_file("Light_Side3.refl"), *buffer, 0, 0, true, error); });
    }
}

void frmTrans::show_buffers()
{
    // The side and bottom pieces show what was composed in their buffers.
    runtime::skip_on_error([&] { Picture4.Picture(Picture5.Image()); });
    Picture4.Refresh();
    runtime::skip_on_error([&] { Picture6.Picture(Picture7.Image()); });
    Picture6.Refresh();
    runtime::skip_on_error([&] { Picture8.Picture(Picture9.Image()); });
    draw_bottom_corners();
    Picture8.Refresh();
    Picture4.Refresh();
    Picture6.Refresh();
}

void frmTrans::draw_bottom_corners()
{
    // The bottom-left corner in the inner-line colour, the bottom-right one in the light colour.
    runtime::skip_on_error([&] {
        const frmSettings& settings = program().form<frmSettings>();
        long inner = settings.Picture13.BackColor();
        long light = settings.Picture14.BackColor();
        Picture8.ScaleMode(runtime::vbPixels);
        float scale_width = Picture8.ScaleWidth();
        float scale_height = Picture8.ScaleHeight();
        float width = Picture8.Width() / 15;
        struct Dot {
            float x;
            float y;
            long colour;
        };
        for (Dot dot : { Dot { 0, scale_height - 2, inner }, Dot { 0, scale_height - 1, inner }, Dot { 1, scale_height - 1, inner },
                 Dot { scale_width - 1, scale_height - 2, light }, Dot { width - 1, scale_height - 1, light },
                 Dot { width - 2, scale_height - 1, light } })
            runtime::skip_on_error([&] { Picture8.PSet(dot.x, dot.y, dot.colour); });
    });
    Picture8.ScaleMode(runtime::vbTwips);
}
