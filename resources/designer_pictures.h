// The pictures the forms carry in their designer data, drawn by kelmor-artwork and compiled in
// as raw pixels so that the program needs no image decoder for them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace artwork {

// One picture: width x height pixels, each 0xAARRGGBB, top row first. Pictures stored as
// 24-bit bitmaps are fully opaque; those meant to be cut out by colour use pure red
// (0xFFFF0000) for what is left out and never carry that colour anywhere else.
struct DesignerPicture {
    std::string_view name;
    std::string_view description;
    int width = 0;
    int height = 0;
    int bits_per_pixel = 24;
    const std::uint32_t* pixels = nullptr;
    // Cursors only: the point of the picture that is the pointer's position.
    int hot_spot_x = -1;
    int hot_spot_y = -1;

    bool is_cursor() const { return hot_spot_x >= 0; }
    std::uint32_t pixel(int x, int y) const { return pixels[y * width + x]; }
};

// An icon is several pictures of the same artwork: each size at 8 bits per pixel (a 256-colour
// palette with on/off transparency) and at 32 bits per pixel (full alpha).
struct DesignerIcon {
    std::string_view name;
    std::span<const DesignerPicture> images;
};

// Every picture, named "<form>.<control>" with "(index)" for control arrays and "Picture" for
// the form's own picture:
//   frmTrans.Picture11(0..2)    the caption buttons as designed: minimise 26 x 18,
//                               maximise 25 x 18, close 44 x 18 (red is cut out)
//   frmTrans.Picture12(0..2)    normal, Picture13(0..2) hover, Picture14(0..2) pressed
//   frmTrans.Picture16(0..2)    the maximise button's restore look: normal, hover, pressed
//   frmTrans.Picture20(0..2)    the normal set used while maximised
//   frmTrans.Picture21(0..2)    the normal set used while restored
//   frmTrans.Picture18(0..2)    a lone close button: normal, hover, pressed
//   frmTrans.Picture19          the inert maximise button
//   frmSettings.Picture4        the menu panel background, 150 x 516
//   frmSettings.Picture10       the info picture beside the live-reflection option
//   frmSettings.Label12.MouseIcon  the 32 x 32 hand cursor, hot spot (6, 0); Picture10 uses it too
//   frmColDialog.Picture1(0..7) the 61 x 60 colour-scheme previews
//   frmTaskbar.Picture          the taskbar bar, 2100 x 34 (red is cut out)
//   frmTaskbar.Picture2         the start button as designed; Picture1(0..2) normal, hover, pressed
//   frmStartmenu.Picture        the start menu, 419 x 569 (red is cut out)
//   frmStartmenu.Picture1       the right-column highlight bar, 144 x 31, red corners
//   frmStartmenu.Image2         the left-column highlight, 246 x 36
//   frmStartmenu.Picture2       the exit button as designed; Picture3(0..2) normal, pressed, hover
//   frmStartmenu.Image1         the user picture, 48 x 48
std::span<const DesignerPicture> designer_pictures();
const DesignerPicture* designer_picture(std::string_view name);

// The program's icon is "FrmSplash.Icon": 32, 24 and 16 pixels square, each at 8 and 32 bits.
std::span<const DesignerIcon> designer_icons();
const DesignerIcon* designer_icon(std::string_view name);

}
