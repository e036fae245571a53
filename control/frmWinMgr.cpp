#include "control/frmWinMgr.h"

#include "border/frmTrans.h"
#include "control/webcam_loop.h"
#include "services/client_area.h"
#include "services/modGlobal.h"

namespace {

constexpr int ClientWidthPixels = 434;
constexpr int ClientHeightPixels = 480;
constexpr long Grey = 0xC0C0C0;

}

frmWinMgr::frmWinMgr(runtime::Program& program)
    : Form(program, "frmWinMgr")
{
    set_designer_values();
    wire_events();
}

void frmWinMgr::set_designer_values()
{
    Caption("Kelmor - Windowmanager");
    BorderStyle(runtime::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(runtime::vbStartUpScreen);
    SizeFormForClient(*this, ClientWidthPixels, ClientHeightPixels, window_style(), window_ex_style());

    Label2.Caption("Kelmor - Windowmanager");
    Label2.FontName("Segoe UI");
    Label2.FontSize(9.75f);
    Label2.ForeColor(0xC49800);
    Label2.BackStyle(0);
    Label2.AutoSize(true);
    Label2.Move(120, 120);
    Line2.BorderColor(Grey);
    Line2.X1(0);
    Line2.Y1(480);
    Line2.X2(7320);
    Line2.Y2(480);
    Line1.BorderColor(Grey);
    Line1.X1(1920);
    Line1.Y1(600);
    Line1.X2(1920);
    Line1.Y2(7080);
    List1.Move(2040, 600, 4335, 6495);

    Shape1.Move(120, 6795, 1695, 300);
    Shape1.FillStyle(0);
    Shape1.FillColor(0xE0E0E0);
    Shape1.BorderColor(0x808080);
    Shape1.Visible(false);
    Label1[0].Caption("Close");
    Label1[0].FontName("Segoe UI");
    Label1[0].FontSize(9);
    Label1[0].FontBold(true);
    Label1[0].BackStyle(0);
    Label1[0].Move(240, 6840, 1545, 225);

    List2.Move(7200, 0, 1455, 1695);
}

void frmWinMgr::wire_events()
{
    List1.on_mouse_up = [this](int Button, int Shift, float X, float Y) { List1_MouseUp(Button, Shift, X, Y); };
    WinMgr_Show_Window.on_click = [this] { WinMgr_Show_Window_Click(); };
    WinMgr_Close_Window.on_click = [this] { WinMgr_Close_Window_Click(); };
    Label1.connect(&runtime::Label::on_mouse_down,
        [this](int Index, int Button, int Shift, float X, float Y) { Label1_MouseDown(Index, Button, Shift, X, Y); });
    Label1.connect(&runtime::Label::on_mouse_move,
        [this](int Index, int Button, int Shift, float X, float Y) { Label1_MouseMove(Index, Button, Shift, X, Y); });
}

void frmWinMgr::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // The close box hides the window manager as "Close" does: it lives as long as the program.
    if (UnloadMode != runtime::vbFormControlMenu)
        return;
    Cancel = 1;
    close_window_manager();
}

void frmWinMgr::Form_MouseMove(int, int, float, float)
{
    if (Shape1.Visible())
        Shape1.Visible(false);
}

void frmWinMgr::List1_MouseUp(int Button, int, float, float)
{
    if (Button == runtime::vbRightButton)
        runtime::PopupMenu(*this, WinMgr_Menu);
}

void frmWinMgr::WinMgr_Show_Window_Click()
{
    for (frmTrans* border : borders_of_selected_row()) {
        if (!program().is_in_collection(*border))
            continue;
        HWND window = border->hWnd();
        ShowWindow(window, SW_SHOWNORMAL);
        ReleaseTopMost(window, false);
        border->Show();
        ReleaseTopMost(window, true);
    }
}

void frmWinMgr::WinMgr_Close_Window_Click()
{
    // The window is asked to close as its own close button asks it; its program may refuse. The
    // border goes when its watcher sees the window gone, and the row at the end of the fade.
    for (frmTrans* border : borders_of_selected_row()) {
        if (program().is_in_collection(*border))
            PostMessageA(border->target(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void frmWinMgr::Label1_MouseDown(int Index, int Button, int, float, float)
{
    if (Button == runtime::vbLeftButton && Index == 0)
        close_window_manager();
}

void frmWinMgr::Label1_MouseMove(int Index, int, int, float, float)
{
    runtime::Label& label = Label1[Index];
    float target = label.Top() - (Shape1.Height() / 2 - label.Height() / 2);
    if (Shape1.Top() != target)
        Shape1.Top(target);
    // Shown again also when the pointer comes back to the label it left.
    if (!Shape1.Visible())
        Shape1.Visible(true);
}

void frmWinMgr::close_window_manager()
{
    Hide();
    ResumeWebcamLoop(program());
}

std::vector<frmTrans*> frmWinMgr::borders_of_selected_row() const
{
    std::vector<frmTrans*> found;
    int row = List1.ListIndex();
    if (row < 0)
        return found;
    std::string key = List2.List(row);
    if (key.empty())
        return found;
    for (runtime::Form* form : program().forms()) {
        auto* border = dynamic_cast<frmTrans*>(form);
        if (border && border->Label2.Caption() == key)
            found.push_back(border);
    }
    return found;
}

int frmWinMgr::row_with_handle(std::string_view handle) const
{
    for (int row = 0; row < List2.ListCount(); ++row) {
        if (List2.List(row) == handle)
            return row;
    }
    return -1;
}

void frmWinMgr::remove_row(int row)
{
    runtime::skip_on_error([&] { List1.RemoveItem(row); });
    runtime::skip_on_error([&] { List2.RemoveItem(row); });
}

void frmWinMgr::append_row(const std::string& title, const std::string& handle)
{
    List1.AddItem(title);
    List2.AddItem(handle);
}
