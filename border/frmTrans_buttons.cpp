// frmTrans, caption buttons at rest: every caption mouse move, and every render pass, ends by
// putting the three buttons back into their resting look, hiding the hover glow and forgetting
// the hovered button.
#include "border/frmTrans.h"

#include "border/Form1.h"
#include "services/modGlobal.h"

namespace {

// Gives a button an image, unless it already shows that very picture.
void show_image(runtime::PictureBox& button, const runtime::PictureBox& image)
{
    if (button.Picture() == image.Picture())
        return;
    button.Picture(image.Picture());
}

}

void frmTrans::rest_caption_buttons()
{
    if (Picture19.Visible())
        Picture19.Move(Picture11[1].Left(), Picture11[1].Top());
    bool is_reflections_on = globals(program()).ReflectionsOn;
    for (int i = 0; i < 3; ++i) {
        runtime::PictureBox& button = Picture11[i];
        if (is_reflections_on) {
            // With reflections the buttons show only under the pointer, or all while maximised.
            if (m_is_maximised) {
                button.Visible(true);
            } else if (button.Visible()) {
                button.Visible(false);
                Label4[i].Visible(true);
            }
            continue;
        }
        if (m_is_maximised && i == 1) {
            show_image(button, Picture16[0]);
            continue;
        }
        show_image(button, Picture12[i]);
        if (m_caption_button_on[i] && !button.Visible())
            button.Visible(true);
    }
    runtime::skip_on_error([&] { program().form<Form1>().Hide(); });
    HoverIndex = -1;
}
