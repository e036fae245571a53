// frmTrans, composition: what turns the pieces' backgrounds, cut from the capture, into glass, and
// the border effects it applies. The render pass calls each step in its place.
#include "border/frmTrans.h"

void frmTrans::compose_caption()
{
    // FIXME: the caption's brightness, tint, colour-scheme texture, reflection, lights and halo.
}

void frmTrans::blur_and_tint_buffers()
{
    // FIXME: the blur of the caption and the side buffers, and the side buffers' brightness and tint.
}

void frmTrans::draw_caption_corners()
{
    // FIXME: the caption piece's corner pixels in the inner-line colour.
}

void frmTrans::draw_side_lights()
{
    // FIXME: the lights over the left and right buffers.
}

void frmTrans::show_buffers()
{
    // The side and bottom pieces show what was composed in their buffers.
    runtime::skip_on_error([&] { Picture4.Picture(Picture5.Image()); });
    Picture4.Refresh();
    runtime::skip_on_error([&] { Picture6.Picture(Picture7.Image()); });
    Picture6.Refresh();
    runtime::skip_on_error([&] { Picture8.Picture(Picture9.Image()); });
    // FIXME: the bottom piece's corner pixels in the inner-line and light colours.
    Picture8.Refresh();
    Picture4.Refresh();
    Picture6.Refresh();
}

void frmTrans::BrightPicture(runtime::PictureBox&)
{
    // FIXME: a piece's brightness from the colour-scheme dialog's value.
}

void frmTrans::ColorPicture(runtime::PictureBox&)
{
    // FIXME: a piece's border-colour tint, or its hue and saturation.
}

void frmTrans::DrawReflections()
{
    // FIXME: the caption-button strips and the explorer address bar drawn into the caption.
}
