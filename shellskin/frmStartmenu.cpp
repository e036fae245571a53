#include "shellskin/frmStartmenu.h"

#include "border/designer_bitmap.h"
#include "control/frmGethWnd.h"
#include "services/CtlTranz1.h"
#include "services/MOT.h"
#include "services/Module2.h"
#include "shellskin/skin_pictures.h"
#include "shellskin/skin_transparency.h"
#include "shellskin/frmTaskbar.h"

#include <string>

namespace {

constexpr long CutOutColour = 0x0000FF; // RGB(255, 0, 0)
constexpr long White = 0xFFFFFF;
constexpr long EntryText = 0x202020;
constexpr long SeparatorColour = 0xE0E0E0;
// How far a highlight moves up when it is hidden, so that its place matches no entry's.
constexpr float HiddenHighlightShift = 120;

void set_font(runtime::Control& control, float size)
{
    control.FontName("Segoe UI");
    control.FontSize(size);
    control.FontBold(true);
}

void set_entry(runtime::Label& label, const char* caption, float size, long colour)
{
    label.Caption(caption);
    set_font(label, size);
    label.ForeColor(colour);
    label.BackStyle(0);
}

}

frmStartmenu::frmStartmenu(runtime::Program& program)
    : Form(program, "frmStartmenu")
{
    set_designer_values();
    wire_events();
}

void frmStartmenu::set_designer_values()
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    Caption("startmenuemulator");
    Move(0, 0, 6285, 8535);
    Picture(designer_bitmap("frmStartmenu.Picture"));

    Picture4.BorderStyle(0);
    Picture4.BackColor(White);
    Picture4.Move(165, 570, 3720, 6855);
    Image2.Move(0, 0, 3690, 540);
    Image2.Picture(designer_bitmap("frmStartmenu.Image2"));
    Line1.X1(120);
    Line1.Y1(1200);
    Line1.X2(3600);
    Line1.Y2(1200);
    Line1.BorderColor(SeparatorColour);
    const char* left_entries[] = { "Internet", "E-Mail" };
    for (auto& entry : Label3) {
        int index = entry->Index();
        set_entry(*entry, left_entries[index], 9, EntryText);
        entry->Move(555, 45 + 600 * index, 2895, 495);
    }

    Text1.Text("Suche starten");
    Text1.FontName("Segoe UI");
    Text1.FontSize(8.25f);
    Text1.FontItalic(true);
    Text1.Move(150, 8145, 3435, 240);

    Picture2.Move(3990, 8070, 810, 360);
    Picture2.ToolTipText("Exit Kelmor");
    set_button_pictures(Picture2, "frmStartmenu.Picture2", Picture3, "frmStartmenu.Picture3");

    Line2.X1(240);
    Line2.Y1(7440);
    Line2.X2(3720);
    Line2.Y2(7440);
    Line2.BorderColor(SeparatorColour);
    Image1.Move(4740, 90, 720, 720);
    Image1.Picture(designer_bitmap("frmStartmenu.Image1"));

    const char* right_entries[] = { "User", "Dokumente", "Bilder", "Musik", "Spiele" };
    for (auto& entry : Label1) {
        int index = entry->Index();
        set_entry(*entry, right_entries[index], 8.25f, White);
        entry->Move(4200, 1320 + 480 * index, 1935, 255);
    }

    Picture1.BorderStyle(0);
    Picture1.AutoSize(true);
    Picture1.Visible(false);
    Picture1.Move(3960, 1200, 2160, 465);
    Picture1.Picture(designer_bitmap("frmStartmenu.Picture1"));
    set_entry(Label2, "User", 8.25f, White);
    Label2.Move(240, 105, 1695, 195);
}

void frmStartmenu::wire_events()
{
    Picture4.on_mouse_move = [this](int Button, int Shift, float X, float Y) { Picture4_MouseMove(Button, Shift, X, Y); };
    Label1.connect(&runtime::Label::on_mouse_move, [this](int Index, int Button, int Shift, float X, float Y) {
        Label1_MouseMove(Index, Button, Shift, X, Y);
    });
    Label3.connect(&runtime::Label::on_mouse_move, [this](int Index, int Button, int Shift, float X, float Y) {
        Label3_MouseMove(Index, Button, Shift, X, Y);
    });
    Label2.on_click = [this] { Label2_Click(); };
    Picture2.on_mouse_move = [this](int Button, int Shift, float X, float Y) { Picture2_MouseMove(Button, Shift, X, Y); };
    Picture2.on_mouse_down = [this](int Button, int Shift, float X, float Y) { Picture2_MouseDown(Button, Shift, X, Y); };
    Picture2.on_mouse_up = [this](int Button, int Shift, float X, float Y) { Picture2_MouseUp(Button, Shift, X, Y); };
}

void frmStartmenu::Form_Load()
{
    runtime::Program& p = program();
    Left(0);
    Top(p.Screen().Height() - p.form<frmTaskbar>().Height() - Height() + 120 - 30);
    runtime::skip_on_error([&] {
        PrepareFormForRegion(*this);
        ShapeFormByColor(*this, CutOutColour);
    });
    runtime::skip_on_error([&] { SetTransparency(hWnd(), SkinTransparency(program(), 13)); });
    ScaleMode(runtime::vbTwips);
    runtime::skip_on_error([&] { ShapePictureBox(Picture1); });
    Text1.SelStart(0);
}

void frmStartmenu::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // A close request from the user only puts the menu away; it lives as long as the program.
    if (UnloadMode != runtime::vbFormControlMenu)
        return;
    Cancel = 1;
    Hide();
}

void frmStartmenu::Label1_MouseMove(int Index, int, int, float, float)
{
    float top = Label1[Index].Top() - (Picture1.Height() / 2 - Label1[Index].Height() / 2);
    if (top != Picture1.Top()) {
        Picture1.Top(top);
        Label2.Caption(Label1[Index].Caption());
        Picture1.Visible(true);
    }
    LastEntryIndex = Index;
}

void frmStartmenu::Label3_MouseMove(int Index, int, int, float, float)
{
    float top = Label3[Index].Top() - (Image2.Height() / 2 - Label3[Index].Height() / 2);
    if (top == Image2.Top())
        return;
    Image2.Top(top);
    Image2.Visible(true);
}

void frmStartmenu::Form_MouseMove(int, int, float, float)
{
    if (Picture1.Visible()) {
        Picture1.Visible(false);
        Picture1.Top(Picture1.Top() - HiddenHighlightShift);
    }
    show_look(Picture2, Picture3[0]);
    if (Image2.Visible()) {
        Image2.Visible(false);
        Image2.Top(Image2.Top() - HiddenHighlightShift);
    }
}

void frmStartmenu::Picture4_MouseMove(int Button, int Shift, float X, float Y)
{
    Form_MouseMove(Button, Shift, X, Y);
}

void frmStartmenu::Label2_Click()
{
    if (LastEntryIndex == 0)
        runtime::skip_on_error([] { runtime::Shell("explorer", runtime::vbNormalFocus); });
    Hide();
}

void frmStartmenu::Picture2_MouseMove(int, int, float, float)
{
    show_look(Picture2, Picture3[2]);
}

void frmStartmenu::Picture2_MouseDown(int, int, float, float)
{
    show_look(Picture2, Picture3[1]);
}

void frmStartmenu::Picture2_MouseUp(int, int, float, float)
{
    program().form<frmGethWnd>().Command7_Click();
}
