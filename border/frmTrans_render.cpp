// frmTrans, render pass and caption drag: the one procedure that produces the border's glass. A
// drag scrolls the capture by the mouse delta, fetches only the screen strips the move uncovers,
// cuts the pieces' backgrounds from the capture, composes them and moves the border; the layout
// and a repaint run the same pass with a zero delta.
#include "border/frmTrans.h"

#include "settings/frmSettings.h"
#include "webcam/frmCAM.h"

namespace {

using runtime::twips_to_pixels_int;

constexpr int RepaintButton = 7;

}

void frmTrans::Picture1_MouseMove(int Button, int, float X, float Y)
{
    if (m_is_maximised || (Button != runtime::vbLeftButton && Button != RepaintButton)) {
        rest_caption_buttons();
        return;
    }
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);

    bool is_repaint = Button == RepaintButton;
    runtime::skip_on_error([&] { DeltaX = is_repaint ? 0 : runtime::CLng(X - DragX); });
    runtime::skip_on_error([&] { DeltaY = is_repaint ? 0 : runtime::CLng(Y - DragY); });
    scroll_capture(screen);
    Picture2.Refresh();

    cut_piece_backgrounds();
    compose_caption();
    if (!ResizeV && !ResizeH && !ResizeHV)
        blur_and_tint_buffers();
    DrawReflections();
    if (Button == runtime::vbLeftButton)
        runtime::skip_on_error([&] { Move(Left() + static_cast<float>(DeltaX), Top() + static_cast<float>(DeltaY)); });
    draw_caption_corners();
    draw_side_lights();
    Picture1.Refresh();
    show_buffers();
    hand_caption_to_webcam();
    ShowIcon();

    ReleaseDC(desktop, screen);
    draw_outline();
    rest_caption_buttons();
}

void frmTrans::scroll_capture(HDC screen)
{
    if (DeltaX == 0 && DeltaY == 0)
        return;
    // L, T, W, H before the move, in twips; the capture's pixel (0, 0) goes under the new top left.
    double left = Left();
    double top = Top();
    double width = Width();
    double height = Height();
    double inner_width = to_twips(ScaleWidth());
    double inner_height = to_twips(ScaleHeight());
    HDC capture = Picture2.hDC();
    BitBlt(capture, 0, 0, twips_to_pixels_int(width), twips_to_pixels_int(height), capture, twips_to_pixels_int(DeltaX),
        twips_to_pixels_int(DeltaY), SRCCOPY);

    // The strip the move uncovers on one vertical edge, then the one on one horizontal edge.
    if (DeltaX > 0) {
        BitBlt(capture, twips_to_pixels_int(width - DeltaX), 0, twips_to_pixels_int(DeltaX), twips_to_pixels_int(inner_height),
            screen, twips_to_pixels_int(left + width), twips_to_pixels_int(top + DeltaY), SRCCOPY);
    } else if (DeltaX < 0) {
        BitBlt(capture, 0, 0, twips_to_pixels_int(-DeltaX), twips_to_pixels_int(height), screen,
            twips_to_pixels_int(left + DeltaX), twips_to_pixels_int(top + DeltaY), SRCCOPY);
    }
    if (DeltaY > 0) {
        BitBlt(capture, 0, twips_to_pixels_int(inner_height - DeltaY), twips_to_pixels_int(inner_width), twips_to_pixels_int(DeltaY),
            screen, twips_to_pixels_int(left + DeltaX), twips_to_pixels_int(top + height), SRCCOPY);
    } else if (DeltaY < 0) {
        BitBlt(capture, 0, 0, twips_to_pixels_int(inner_width), twips_to_pixels_int(-DeltaY), screen,
            twips_to_pixels_int(left + DeltaX), twips_to_pixels_int(top + DeltaY), SRCCOPY);
    }
}

bool frmTrans::is_aberration_on()
{
    bool is_on = false;
    runtime::skip_on_error([&] { is_on = program().form<frmSettings>().Check7.Value() == runtime::vbChecked; });
    return is_on;
}

void frmTrans::cut_piece_backgrounds()
{
    // The whole capture is laid under each target so that the screen behind its piece lands on the
    // target's (0, 0); with the aberration on, 2 pixels right of and below it.
    int width = twips_to_pixels_int(Width());
    int height = twips_to_pixels_int(Height());
    HDC capture = Picture2.hDC();
    std::pair<runtime::PictureBox*, runtime::PictureBox*> pieces[] = {
        { &Picture1, &Picture1 }, { &Picture4, &Picture5 }, { &Picture6, &Picture7 }, { &Picture8, &Picture9 }
    };
    for (auto [piece, target] : pieces) {
        runtime::skip_on_error([&, piece = piece, target = target] {
            int x = runtime::CLng(-runtime::twips_to_pixels(piece->left_twips()) - (is_aberration_on() ? 2 : 0));
            int y = runtime::CLng(-runtime::twips_to_pixels(piece->top_twips()) - (is_aberration_on() ? 2 : 0));
            BitBlt(target->hDC(), x, y, width, height, capture, 0, 0, SRCCOPY);
        });
    }
}

void frmTrans::hand_caption_to_webcam()
{
    // The webcam reflection blends its frame over the caption of the border that rendered last.
    runtime::skip_on_error([&] { program().form<frmCAM>().picSource.Picture(Picture1.Image()); });
}

void frmTrans::draw_outline()
{
    runtime::skip_on_error([&] {
        const frmSettings& settings = program().form<frmSettings>();
        ScaleMode(runtime::vbPixels);
        DrawBorder(settings.Picture12.BackColor(), settings.Picture13.BackColor(), settings.Picture14.BackColor());
    });
    ScaleMode(runtime::vbTwips);
}
