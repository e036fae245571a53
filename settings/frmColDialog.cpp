#include "settings/frmColDialog.h"

#include "border/designer_bitmap.h"
#include "control/webcam_loop.h"
#include "services/client_area.h"
#include "services/modGlobal.h"
#include "settings/frmSettings.h"
#include "settings/modSaveLoadSettings.h"

#include <algorithm>
#include <array>

namespace {

constexpr long White = runtime::vbWhite;
constexpr long Black = runtime::vbBlack;

constexpr long rgb(int red, int green, int blue)
{
    return static_cast<long>(RGB(red, green, blue));
}

struct Scheme {
    const char* name;
    const char* file;
};

// The swatches in order: the name under each and the scheme file it chooses.
constexpr std::array<Scheme, 8> Schemes { { { "Default", "cd.rcol" }, { "Graphite", "cg.rcol" }, { "Blue", "cb.rcol" },
    { "Teal", "ct.rcol" }, { "Red", "cr.rcol" }, { "Orange", "co.rcol" }, { "Pink", "cp.rcol" },
    { "Frost", "cf.rcol" } } };

}

frmColDialog::frmColDialog(runtime::Program& program)
    : Form(program, "frmColDialog")
{
    set_designer_values();
    wire_events();
}

void frmColDialog::set_designer_values()
{
    Caption("Window Color and Appereance");
    BorderStyle(runtime::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(runtime::vbStartUpScreen);
    BackColor(White);
    // The designer's 9975 x 5775 twips are the client area: the buttons end 120 twips above its
    // bottom edge, and a frame taken off that height would cut them off.
    SizeFormForClient(*this, 665, 385, window_style(), window_ex_style());

    Label1.Caption("Window Color and Appereance");
    Label1.FontName("Segoe UI");
    Label1.FontSize(11.25f);
    Label1.ForeColor(rgb(56, 72, 186));
    Label1.BackStyle(0);
    Label1.AutoSize(true);
    Label1.Move(480, 360);
    Label2.Caption("You can change the color of your windowborders. Pick one of the available colors.");
    Label2.FontName("Segoe UI");
    Label2.FontSize(9.75f);
    Label2.ForeColor(Black);
    Label2.BackStyle(0);
    Label2.AutoSize(true);
    Label2.Move(480, 720);

    Shape2.Move(-120, 5160, 10215, 975);
    Shape2.FillStyle(0);
    Shape2.FillColor(rgb(246, 246, 246));
    Shape2.BorderColor(rgb(192, 192, 192));
    // The hover frame waits outside the window, so that the first move onto any swatch shows it.
    Shape1.Move(-1095, 1440, 1095, 1575);
    Shape1.BorderColor(rgb(172, 186, 215));
    Shape1.Visible(false);

    for (auto& swatch : Picture1) {
        int index = swatch->Index();
        float left = 720.0f + 1080.0f * static_cast<float>(index);
        swatch->BorderStyle(0);
        swatch->AutoSize(true);
        swatch->Move(left, 1560, 915, 900);
        swatch->Picture(designer_bitmap("frmColDialog.Picture1(" + std::to_string(index) + ")"));
        runtime::Label& name = Label3[index];
        name.Caption(Schemes[static_cast<size_t>(index)].name);
        name.FontName("Segoe UI");
        name.FontSize(8.25f);
        name.ForeColor(Black);
        name.BackStyle(0);
        name.Alignment(runtime::vbCenter);
        name.Move(left, 2640, 915, 225);
    }

    Check1.Caption("Enable Transparency");
    Check1.FontName("Segoe UI");
    Check1.FontSize(8.25f);
    Check1.BackColor(White);
    Check1.Move(480, 3720, 2295, 255);
    Label4.Caption("Transparency:");
    Label4.FontName("Segoe UI");
    Label4.FontSize(8.25f);
    Label4.BackStyle(0);
    Label4.AutoSize(true);
    Label4.Move(480, 4320);
    // The bar starts at 1680 twips unless the label's font makes "Transparency:" reach that far;
    // then it starts a gap after the label. Its right end stays where it is.
    constexpr float BarRight = 1680 + 4335;
    float bar_left = std::max(1680.0f, Label4.Left() + Label4.Width() + 120);
    HScroll1.Move(bar_left, 4320, BarRight - bar_left, 255);
    HScroll1.Min(-2550);
    HScroll1.Max(0);
    HScroll1.Value(0);
    HScroll1.SmallChange(1);
    HScroll1.LargeChange(1);

    Command2.Caption("OK");
    Command2.Move(6360, 5280, 1335, 375);
    Command1.Caption("Cancel");
    Command1.Move(7920, 5280, 1335, 375);
}

void frmColDialog::wire_events()
{
    Picture1.connect(&runtime::PictureBox::on_click, [this](int Index) { Picture1_Click(Index); });
    Picture1.connect(&runtime::PictureBox::on_mouse_move,
        [this](int Index, int Button, int Shift, float X, float Y) { Picture1_MouseMove(Index, Button, Shift, X, Y); });
    HScroll1.on_change = [this] { HScroll1_Change(); };
    HScroll1.on_scroll = [this] { HScroll1_Scroll(); };
    Command1.on_click = [this] { Command1_Click(); };
    Command2.on_click = [this] { Command2_Click(); };
}

void frmColDialog::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // The close box is Cancel: the dialog stays loaded, since the borders read its scroll bar.
    if (UnloadMode != runtime::vbFormControlMenu)
        return;
    Cancel = 1;
    Command1_Click();
}

void frmColDialog::Form_MouseMove(int, int, float, float)
{
    Shape1.Visible(false);
    Shape1.Left(-Shape1.Width());
}

void frmColDialog::Picture1_Click(int Index)
{
    if (Index >= 0 && Index < static_cast<int>(Schemes.size()))
        globals(program()).ColorSchemeFile = Schemes[static_cast<size_t>(Index)].file;
    program().form<frmSettings>().UpdateWindows();
}

void frmColDialog::Picture1_MouseMove(int Index, int, int, float, float)
{
    runtime::PictureBox& swatch = Picture1[Index];
    float target = swatch.Left() - (Shape1.Width() - swatch.Width()) / 2;
    if (Shape1.Left() == target)
        return;
    Shape1.Left(target);
    Shape1.Visible(true);
}

void frmColDialog::HScroll1_Change()
{
    runtime::DoEvents();
    program().form<frmSettings>().UpdateWindows();
}

void frmColDialog::HScroll1_Scroll()
{
    HScroll1_Change();
}

void frmColDialog::Command1_Click()
{
    Hide();
    ResumeWebcamLoop(program());
}

void frmColDialog::Command2_Click()
{
    Command1_Click();
    SaveSettings(program());
}
