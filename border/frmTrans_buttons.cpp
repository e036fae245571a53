// frmTrans, caption bar and caption buttons: the bar's mouse handling (drag start, double-click,
// activation of the target, the address overlay), and the three buttons' normal, hover and
// pressed looks, their glow, and the minimise, maximise or restore and close clicks.
#include "border/frmTrans.h"

#include "border/Form1.h"
#include "control/webcam_loop.h"
#include "services/modGlobal.h"
#include "services/MOT.h"
#include "settings/frmSettings.h"
#include "webcam/frmCAM.h"

#include <algorithm>

namespace {

constexpr long White = 0xFFFFFF;
// The glow window's top left lies this far (twips) left of and above its button's.
constexpr long GlowMargin = 135;

// Gives a button an image, unless it already shows that very picture; false when it did.
bool show_image(runtime::PictureBox& button, const runtime::PictureBox& image)
{
    if (button.Picture() == image.Picture())
        return false;
    button.Picture(image.Picture());
    return true;
}

bool is_button_held(int Button)
{
    return Button == runtime::vbLeftButton || Button == runtime::vbRightButton || Button == 3;
}

}

const runtime::PictureBox& frmTrans::normal_image(int index) const
{
    return m_is_maximised && index == 1 ? Picture16[0] : Picture12[index];
}

void frmTrans::rest_caption_button(int index)
{
    runtime::PictureBox& button = Picture11[index];
    if (globals(program()).ReflectionsOn) {
        // With reflections the buttons show only under the pointer, or all while maximised.
        if (m_is_maximised) {
            button.Visible(true);
        } else if (button.Visible()) {
            button.Visible(false);
            Label4[index].Visible(true);
        }
        return;
    }
    show_image(button, normal_image(index));
    if (!(m_is_maximised && index == 1) && m_caption_button_on[index] && !button.Visible())
        button.Visible(true);
}

void frmTrans::rest_caption_buttons()
{
    if (Picture19.Visible())
        Picture19.Move(Picture11[1].Left(), Picture11[1].Top());
    for (int i = 0; i < 3; ++i)
        rest_caption_button(i);
    runtime::skip_on_error([&] { program().form<Form1>().HideAll(); });
    HoverIndex = -1;
}

void frmTrans::Form_MouseDown(int Button, int Shift, float X, float Y)
{
    Picture1_MouseDown(Button, Shift, X, Y);
}

void frmTrans::Form_MouseMove(int Button, int Shift, float X, float Y)
{
    if (HoverIndex >= 0)
        rest_caption_button(HoverIndex);
    Picture1_MouseMove(Button, Shift, X, Y);
}

void frmTrans::Picture1_MouseDown(int Button, int, float X, float Y)
{
    Timer8.Enabled(false);
    if (Button == runtime::vbLeftButton) {
        DragX = X;
        DragY = Y;
        Timer3.Enabled(false);
    }
    runtime::skip_on_error(
        [&] { Label1.ForeColor(m_is_maximised ? White : program().form<frmSettings>().Picture3.BackColor()); });
}

void frmTrans::Picture1_MouseUp(int, int, float, float)
{
    // A target that does not answer is left as it is (see ActivateWindow).
    ActivateWindow(target());
    if (program().form<frmSettings>().Check15.Value() == 1) {
        Timer8.Enabled(true);
        ResumeWebcamLoop(program());
    }
}

void frmTrans::Label1_MouseDown(int Button, int, float X, float Y)
{
    if (Button != runtime::vbLeftButton)
        return;
    DragX = X;
    DragY = Y;
}

void frmTrans::Label7_MouseDown(int Button, int, float, float)
{
    if (Button != runtime::vbLeftButton)
        return;
    runtime::skip_on_error([&] {
        Text2.Move(Label7.Left(), Label7.Top(), Label7.Width(), Label7.Height());
        Text2.Visible(true);
        Text2.SetFocus();
        Text2.SelStart(0);
        Text2.SelLength(static_cast<int>(Text2.Text().size()));
    });
}

void frmTrans::Text2_LostFocus()
{
    Text2.Visible(false);
}

void frmTrans::Label4_MouseMove(int Index, int Button, int Shift, float X, float Y)
{
    Form_MouseMove(Button, Shift, X, Y);
    Picture11_MouseMove(Index, Button, Shift, X, Y);
    if (m_caption_button_on[Index])
        Picture11[Index].Visible(true);
}

void frmTrans::Picture11_MouseMove(int Index, int Button, int, float, float)
{
    if (is_button_held(Button))
        return;
    bool is_restore_button = Index == 1 && m_is_maximised;
    runtime::PictureBox& button = Picture11[Index];
    if (!show_image(button, is_restore_button ? Picture16[1] : Picture13[Index]))
        return;
    // The button hovered before goes back to its normal look, the one just hovered keeps its hover,
    // before the glow lets pending events run: a move to another button handled there then finds
    // this one hovered and puts it back to rest.
    if (HoverIndex >= 0 && HoverIndex != Index)
        show_image(Picture11[HoverIndex], normal_image(HoverIndex));
    HoverIndex = Index;
    if (!globals(program()).GlowSuppressed) {
        // 32-bit screen twips: a button right of x 2184 px gets its glow too.
        long left = static_cast<long>(button.Left() + Left()) - GlowMargin;
        long top = static_cast<long>(button.Top() + Top()) - GlowMargin;
        runtime::skip_on_error([&] { program().form<Form1>().ShowGlow(Index, left, top); });
        // A move handled meanwhile took the hover elsewhere, or put the buttons back to rest.
        if (HoverIndex != Index)
            return;
        Timer6.Enabled(true);
    }
    if (!is_restore_button && m_caption_button_on[Index])
        button.Visible(true);
}

void frmTrans::Picture11_MouseDown(int Index, int, int, float, float)
{
    show_image(Picture11[Index], Index == 1 && m_is_maximised ? Picture16[2] : Picture14[Index]);
    program().form<Form1>().HideAll();
}

void frmTrans::Timer6_Timer()
{
    POINT cursor {};
    GetCursorPos(&cursor);
    // The edges count as inside.
    double x = cursor.x;
    double y = cursor.y;
    constexpr double Tpp = runtime::TwipsPerPixel;
    bool is_outside = x < Left() / Tpp || x > (Left() + Width()) / Tpp || y < Top() / Tpp || y > (Top() + Height()) / Tpp;
    if (!is_outside)
        return;
    program().form<Form1>().HideAll();
    for (int i = 0; i < 3; ++i)
        rest_caption_button(i);
    Timer6.Enabled(false);
}

void frmTrans::Picture11_MouseUp(int Index, int, int, float, float)
{
    if (Index == 0) {
        minimise();
        show_image(Picture11[0], Picture13[0]);
        return;
    }
    if (Index == 2) {
        close_target();
        return;
    }
    if (Index != 1 || Picture19.Visible())
        return;
    if (m_is_maximised)
        restore_from_maximised();
    else
        maximise();
}

void frmTrans::close_target()
{
    Globals& g = globals(program());
    bool was_glow_suppressed = g.GlowSuppressed;
    bool was_webcam_on = false;
    runtime::skip_on_error([&] { was_webcam_on = program().form<frmCAM>().tmrMain.Enabled(); });
    Timer8.Enabled(false);
    PauseWebcamLoop(program());
    g.GlowSuppressed = true;
    program().form<Form1>().HideAll();

    HWND hosted = target();
    ActivateWindow(hosted);
    Pause(0.2f);
    // The request goes to the target only: Alt+F4 only while the target or its own border has the
    // foreground (the border passes a close on to the target), otherwise the target's own close.
    HWND foreground = GetForegroundWindow();
    if (foreground && (foreground == hosted || foreground == hWnd()))
        runtime::SendKeys("%{F4}", true);
    else
        PostMessageA(hosted, WM_SYSCOMMAND, SC_CLOSE, 0);
    runtime::DoEvents();
    show_image(Picture11[2], Picture13[2]);

    // A target that refused (its user kept it open) keeps its border, with glow and webcam as before.
    if (IsWindow(hosted) && IsWindowVisible(hosted)) {
        g.GlowSuppressed = was_glow_suppressed;
        if (was_webcam_on)
            ResumeWebcamLoop(program());
    }
}

void frmTrans::CheckWinProperties()
{
    if (!m_caption_button_on[1]) {
        Picture11[1].Picture(Picture19.Picture());
        Picture19.Move(Picture11[1].Left(), Picture11[1].Top());
        Picture19.Visible(true);
    } else {
        Picture19.Visible(false);
    }
    if (m_caption_button_on[0] || m_caption_button_on[1] || !m_caption_button_on[2])
        return;
    // Only a system menu: the lone close button.
    Picture11[2].Picture(Picture18[1].Picture());
    Picture12[2].Picture(Picture18[0].Picture());
    Picture13[2].Picture(Picture18[1].Picture());
    Picture14[2].Picture(Picture18[2].Picture());
    Picture19.Visible(false);
    runtime::skip_on_error([&] { ShapePictureBox(Picture11[2]); });
}

void frmTrans::Timer8_Timer()
{
    // The live reflection copy: the webcam's composite becomes the caption's glass, from the
    // top-left corner; the caption beyond the composite is black. Drawn straight into the
    // caption's image, so that a tick makes no picture of its own.
    if (program().form<frmSettings>().Check15.Value() != 1) {
        Timer8.Enabled(false);
        return;
    }
    runtime::skip_on_error([&] {
        // Without a frame from the camera there is nothing to show: the caption stays as it is.
        if (!program().form<frmCAM>().has_composite())
            return;
        auto& composite = program().form<frmCAM>().picDestination;
        Picture1.AutoSize(false);
        SIZE caption = Picture1.client_pixel_size();
        SIZE copied = composite.client_pixel_size();
        copied.cx = std::min(caption.cx, copied.cx);
        copied.cy = std::min(caption.cy, copied.cy);
        HDC dc = Picture1.hDC();
        BitBlt(dc, 0, 0, copied.cx, copied.cy, composite.hDC(), 0, 0, SRCCOPY);
        auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        RECT right { copied.cx, 0, caption.cx, caption.cy };
        RECT below { 0, copied.cy, copied.cx, caption.cy };
        FillRect(dc, &right, black);
        FillRect(dc, &below, black);
        Picture1.Refresh();
    });
}
