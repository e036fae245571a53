// The menu of the settings window: the items on the dark panel, the glowing highlight bar that
// follows the pointer, the pages the items open, the update notes and Close.
#include "settings/frmSettings.h"

#include "control/webcam_loop.h"
#include "resources/designer_pictures.h"
#include "services/modGlobal.h"
#include "services/modLoadPicBox.h"
#include "settings/modBlurPasses.h"
#include "settings/modSaveLoadSettings.h"
#include "settings/modUpdateCheck.h"

#include <array>

namespace {

constexpr long White = 16777215;
constexpr int CloseItem = 10;
constexpr int UpdateItem = 11;
constexpr int ColorsItem = 1;
constexpr int ControlboxItem = 5;
constexpr int GlowBlurPasses = 11;
// The glow is the caption printed along a short diagonal, from -20 to 20 twips.
constexpr int GlowReach = 20;

struct MenuItem {
    int index;
    const char* caption;
    int top;
};

constexpr std::array<MenuItem, 12> MenuItems { {
    { 3, "Startup", 16 },
    { 0, "Blur", 48 },
    { 1, "Colors", 80 },
    { 2, "Reflections", 112 },
    { 4, "Transparency", 144 },
    { 6, "Borderlines", 176 },
    { 7, "Exclusions", 208 },
    { 8, "Change Style", 240 },
    { 9, "LiveReflection", 272 },
    { 5, "Controlbox", 304 },
    { 11, "Update", 456 },
    { 10, "Close", 488 },
} };

runtime::StdPicture designer_picture(std::string_view name)
{
    const artwork::DesignerPicture* picture = artwork::designer_picture(name);
    if (!picture)
        return {};
    if (picture->is_cursor())
        return runtime::StdPicture::cursor_from_pixels(
            picture->pixels, picture->width, picture->height, picture->hot_spot_x, picture->hot_spot_y);
    return runtime::StdPicture::from_pixels(picture->pixels, picture->width, picture->height);
}

}

void frmSettings::set_menu_designer_values()
{
    Picture4.BorderStyle(0);
    Picture4.Move(0, 0, 2130, 7740);
    Picture4.ScaleMode(runtime::vbPixels);
    Picture4.Picture(designer_picture("frmSettings.Picture4"));
    for (const MenuItem& item : MenuItems) {
        runtime::Label& label = Label1[item.index];
        label.Caption(item.caption);
        label.BackStyle(0);
        label.ForeColor(White);
        label.FontName("Segoe UI");
        label.FontSize(9);
        label.Move(16, item.top, item.index == 0 ? 103 : 105, 15);
    }
    Label1[ControlboxItem].Visible(false);
    Picture5.BorderStyle(0);
    Picture5.ScaleMode(runtime::vbPixels);
    Picture5.Move(0, -25, 129, 25);
    Picture5.AutoRedraw(true);
    Picture5.Visible(false);
    Picture6.BorderStyle(0);
    Picture6.AutoSize(true);
    Picture6.AutoRedraw(true);
    Picture6.FontTransparent(true);
    Picture6.Visible(false);

    Line1.BorderColor(White);
    Line1.X1(2025);
    Line1.Y1(0);
    Line1.X2(2025);
    Line1.Y2(7740);
    Line2.BorderColor(0xC0C0C0);
    Line2.X1(2160);
    Line2.Y1(480);
    Line2.X2(9480);
    Line2.Y2(480);

    Label2.Caption("Kelmor - Settings");
    Label2.FontName("Segoe UI");
    Label2.FontSize(9.75f);
    Label2.ForeColor(0xC49800);
    Label2.BackStyle(0);
    Label2.Move(2280, 120, 2895, 255);
    Label12.Caption("[new version available!]");
    Label12.FontName("Arial");
    Label12.FontSize(8.25f);
    Label12.ForeColor(0xFF0000);
    Label12.BackStyle(0);
    Label12.Alignment(runtime::vbRightJustify);
    Label12.Move(4440, 330, 2535, 255);
    Label12.MouseIcon(designer_picture("frmSettings.Label12.MouseIcon"));
    Label12.MousePointer(99);
    Label12.Visible(false);
    Picture10.Picture(designer_picture("frmSettings.Picture10"));
    Picture10.MouseIcon(designer_picture("frmSettings.Label12.MouseIcon"));
    Picture10.MousePointer(99);

    // "Close" sits below what every page shows, right-aligned with the exclusion list and its
    // button; the notes end above it, so that it covers neither their text nor their scroll bar.
    Command1.Caption("Close");
    Command1.Move(5400, 7080, 1335, 375);
    RTF1.Move(2280, 600, 4095, Command1.Top() - 120 - 600);
    RTF1.Visible(false);
}

void frmSettings::wire_menu_events()
{
    Label1.connect(&runtime::Label::on_mouse_move,
        [this](int Index, int Button, int Shift, float X, float Y) { Label1_MouseMove(Index, Button, Shift, X, Y); });
    Label1.connect(&runtime::Label::on_mouse_down,
        [this](int Index, int Button, int Shift, float X, float Y) { Label1_MouseDown(Index, Button, Shift, X, Y); });
    Picture5.on_mouse_down = [this](int Button, int Shift, float X, float Y) { Picture5_MouseDown(Button, Shift, X, Y); };
    Picture4.on_mouse_move = [this](int Button, int Shift, float X, float Y) { Picture4_MouseMove(Button, Shift, X, Y); };
    on_mouse_move = [this](int Button, int Shift, float X, float Y) { Form_MouseMove(Button, Shift, X, Y); };
    Label12.on_click = [this] { Label12_Click(); };
    Label12.on_mouse_move = [this](int Button, int Shift, float X, float Y) { Label12_MouseMove(Button, Shift, X, Y); };
    Command1.on_click = [this] { Command1_Click(); };
}

float frmSettings::highlight_top(int Index)
{
    return Label1[Index].Top() - (Picture5.Height() / 2 - Label1[Index].Height() / 2);
}

void frmSettings::Label1_MouseMove(int Index, int, int, float, float)
{
    MenuIndex = Index;
    runtime::Label& item = Label1[Index];
    float target = highlight_top(Index);
    // The bar already shows this item: moving within it renders nothing.
    if (Picture5.Top() == target)
        return;
    runtime::skip_on_error([&] {
        Picture5.Top(target);
        for (int i = 0; i <= CloseItem; ++i)
            Label1[i].Visible(false);
        // The bar shows the strip of the panel behind it.
        Picture5.PaintPicture(Picture4.Picture(), 0, -Picture5.Top());
        Picture6.Picture(Picture5.Image());
        Picture6.Font(item.Font());
        Picture6.ForeColor(White);
        float x = item.Left() * 15;
        float y = (Picture5.Height() / 2 - item.Height() / 2) * 15;
        for (int i = -GlowReach; i <= GlowReach; ++i) {
            Picture6.CurrentX(x + i);
            Picture6.CurrentY(y + i);
            Picture6.Print(item.Caption());
        }
        BlurInPlace(Picture6, GlowBlurPasses);
        Picture6.CurrentX(x);
        Picture6.CurrentY(y);
        Picture6.Print(item.Caption());
        std::string light = program().App().Path() + (MenuDown ? "\\mLight_D.mlt" : "\\mLight.mlt");
        std::string error;
        LoadPictureGDIPlus(light, Picture6, 0, 0, false, error);
        Picture5.Picture(Picture6.Image());
    });
    for (int i = 0; i <= CloseItem; ++i) {
        if (i != ControlboxItem)
            Label1[i].Visible(true);
    }
    Picture5.Visible(true);
}

void frmSettings::Form_MouseMove(int Button, int Shift, float X, float Y)
{
    Picture4_MouseMove(Button, Shift, X, Y);
    Label12.FontUnderline(false);
}

void frmSettings::Picture4_MouseMove(int, int, float, float)
{
    if (!Picture5.Visible())
        return;
    Picture5.Visible(false);
    // Off the panel, so that the next hover always renders.
    Picture5.Top(-Picture5.Height());
    MenuDown = false;
}

void frmSettings::Label1_MouseDown(int, int Button, int Shift, float X, float Y)
{
    Picture5_MouseDown(Button, Shift, X, Y);
}

void frmSettings::Picture5_MouseDown(int Button, int, float, float)
{
    if (Button != runtime::vbLeftButton)
        return;
    if (MenuIndex == CloseItem) {
        close_window();
        return;
    }
    MenuDown = true;
    // One pixel off, so that the hover renders the bar again with the pressed light.
    runtime::skip_on_error([&] { Picture5.Top(highlight_top(MenuIndex) - 1); });
    Label1_MouseMove(MenuIndex, 1, 0, 1, 1);
    Label2.Caption(Label1[MenuIndex].Caption());
    for (auto& page : Picture1)
        page->Visible(false);
    RTF1.Visible(false);
    if (MenuIndex == UpdateItem) {
        RTF1.Visible(true);
        // Fetched once per run; after a failed fetch the next visit tries again.
        if (RTF1.Text().empty())
            RTF1.TextRTF(FetchReleaseNotes(Inet1));
        return;
    }
    // The brightness and border colour frames apply only to a border without reflections.
    bool has_reflections = Check1.Value() == runtime::vbChecked;
    if (MenuIndex == ColorsItem || !has_reflections) {
        Frame2.Visible(!has_reflections);
        Frame3.Visible(!has_reflections);
        Label15.Visible(has_reflections);
    }
    Picture1[MenuIndex].Visible(true);
}

void frmSettings::close_window()
{
    Hide();
    SaveSettings(program());
    Picture5.Visible(false);
    ResumeWebcamLoop(program());
}

void frmSettings::Command1_Click()
{
    close_window();
}

void frmSettings::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != runtime::vbFormControlMenu)
        return;
    Cancel = 1;
    close_window();
}

void frmSettings::Label12_Click()
{
    ShellOpen(hWnd(), ProductPageUrl);
}

void frmSettings::Label12_MouseMove(int, int, float, float)
{
    Label12.FontUnderline(true);
}
