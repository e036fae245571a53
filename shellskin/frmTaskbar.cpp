#include "shellskin/frmTaskbar.h"

#include "border/designer_bitmap.h"
#include "control/frmGethWnd.h"
#include "services/CtlTranz1.h"
#include "services/Module2.h"
#include "services/modGlobal.h"
#include "settings/frmSettings.h"
#include "shellskin/skin_pictures.h"
#include "shellskin/skin_transparency.h"
#include "shellskin/frmStartmenu.h"

#include <string>

namespace {

constexpr long CutOutColour = 0x0000FF; // RGB(255, 0, 0)
constexpr long White = 0xFFFFFF;
constexpr float ClockRightMargin = 240;

// The clock's text: two-digit hours, a colon and two-digit minutes.
std::string clock_text()
{
    return runtime::TimeText().substr(0, 5);
}

}

frmTaskbar::frmTaskbar(runtime::Program& program)
    : Form(program, "frmTaskbar")
{
    set_designer_values();
    wire_events();
}

void frmTaskbar::set_designer_values()
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    Caption("taskbaremulator");
    Move(0, 0, 19200, 510);
    Picture(designer_bitmap("frmTaskbar.Picture"));

    Picture2.Move(0, 0, 870, 510);
    set_button_pictures(Picture2, "frmTaskbar.Picture2", Picture1, "frmTaskbar.Picture1");

    Label1.Caption("00:00");
    Label1.FontName("Segoe UI");
    Label1.FontSize(9.75f);
    Label1.ForeColor(White);
    Label1.BackStyle(0);
    Label1.Alignment(runtime::vbRightJustify);
    Label1.AutoSize(true);
    Label1.Top(150);

    Timer1.Interval(1000);
    Timer1.Enabled(true);
    Timer2.Interval(1);
    Timer2.Enabled(true);
}

void frmTaskbar::wire_events()
{
    Picture2.on_mouse_down = [this](int Button, int Shift, float X, float Y) { Picture2_MouseDown(Button, Shift, X, Y); };
    Picture2.on_mouse_move = [this](int Button, int Shift, float X, float Y) { Picture2_MouseMove(Button, Shift, X, Y); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
}

void frmTaskbar::Form_Load()
{
    runtime::skip_on_error([&] { SetTransparency(hWnd(), SkinTransparency(program(), 20)); });
    FitToScreen();
    if (program().form<frmSettings>().Check9.Value() == runtime::vbChecked)
        ShowAtBottom();
    Top(program().Screen().Height() - Height());
}

void frmTaskbar::FitToScreen()
{
    Width(program().Screen().Width());
    runtime::skip_on_error([&] {
        PrepareFormForRegion(*this);
        // The persistent image grew with the window; its new part gets the picture as well.
        Cls();
        extend_picture_to_width();
        ShapeFormByColor(*this, CutOutColour);
    });
    ScaleMode(runtime::vbTwips);
    Label1.Caption(clock_text());
    Label1.Left(Width() - Label1.Width() - ClockRightMargin);
}

void frmTaskbar::ShowAtBottom()
{
    Left(0);
    Show();
    Timer2.Enabled(true);
    Top(program().Screen().Height() - Height());
}

void frmTaskbar::extend_picture_to_width()
{
    int picture_width = Picture().width_pixels();
    float extra = ScaleWidth() - picture_width;
    if (picture_width == 0 || extra <= 0)
        return;
    float height = static_cast<float>(Picture().height_pixels());
    PaintPicture(Picture(), static_cast<float>(picture_width), 0, extra, height,
        static_cast<float>(picture_width - 1), 0, 1, height);
}

void frmTaskbar::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // The desktop is never left without a taskbar: a close request from the user is refused.
    if (UnloadMode == runtime::vbFormControlMenu)
        Cancel = 1;
}

void frmTaskbar::Picture2_MouseMove(int, int, float, float)
{
    show_look(Picture2, Picture1[1]);
}

void frmTaskbar::Form_MouseMove(int, int, float, float)
{
    show_look(Picture2, Picture1[0]);
}

void frmTaskbar::Picture2_MouseDown(int, int, float, float)
{
    show_look(Picture2, Picture1[2]);
    program().form<frmStartmenu>().Show();
}

void frmTaskbar::Form_MouseDown(int Button, int, float, float)
{
    Form_MouseMove(0, 0, 1, 1);
    program().form<frmStartmenu>().Hide();
    if (Button != runtime::vbRightButton)
        return;
    runtime::PopupMenu(*this, program().form<frmGethWnd>().TrayMenu);
}

void frmTaskbar::Timer1_Timer()
{
    Label1.Caption(clock_text());
}

void frmTaskbar::Timer2_Timer()
{
    if (!Visible()) {
        Timer2.Enabled(false);
        return;
    }
    SetTopMost(hWnd(), true);
}
