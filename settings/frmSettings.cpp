#include "settings/frmSettings.h"

#include "control/webcam_loop.h"
#include "platform/win32.h"
#include "services/CtlTranz1.h"
#include "services/Module2.h"
#include "services/modAutostart.h"
#include "services/modGlobal.h"
#include "services/modTaskbar.h"
#include "settings/Module1.h"
#include "settings/frmColor.h"
#include "settings/modBlurWallpaper.h"
#include "settings/modSaveLoadSettings.h"
#include "settings/modUpdateCheck.h"
#include "shellskin/frmStartmenu.h"
#include "shellskin/frmTaskbar.h"
#include "webcam/frmCAM.h"
#include "webcam/frmFlipImage.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr long White = 16777215;
constexpr float TwipsPerPixel = 15;

// The program's own singleton windows; every other loaded window is a border window.
constexpr std::array<std::string_view, 11> NonBorderForms { "frmSettings", "frmGethWnd", "FrmSplash", "Form1",
    "frmColor", "frmTaskbar", "frmStartmenu", "frmWinMgr", "frmColDialog", "frmCAM", "frmFlipImage" };

// The windows that keep their own opacity when the transparency changes; the taskbar and
// start-menu skins take it like the borders.
constexpr std::array<std::string_view, 9> OpaqueForms { "frmSettings", "frmGethWnd", "FrmSplash", "Form1",
    "frmColor", "frmWinMgr", "frmColDialog", "frmCAM", "frmFlipImage" };

template<size_t Count>
bool is_named_in(const runtime::Form& form, const std::array<std::string_view, Count>& names)
{
    return std::find(names.begin(), names.end(), form.Name()) != names.end();
}

// The check boxes, option buttons and labels inside a container, and inside its frames, take its
// white: the pages are white paper, not button faces.
void give_white_backs(const runtime::Container& container)
{
    for (runtime::Control* child : container.children()) {
        if (auto* captioned = dynamic_cast<runtime::CaptionedControl*>(child))
            captioned->BackColor(White);
        else if (auto* label = dynamic_cast<runtime::Label*>(child))
            label->BackColor(White);
        else if (auto* frame = dynamic_cast<runtime::Frame*>(child))
            give_white_backs(*frame);
    }
}

// A frame of a page holding a colour swatch and its "Choose color..." button.
void lay_out_swatch_frame(runtime::Frame& frame, const char* caption, float top, runtime::PictureBox& swatch,
    long colour, runtime::CommandButton& button)
{
    frame.Caption(caption);
    frame.BackColor(White);
    frame.Move(120, top, 4575, 735);
    swatch.BackColor(colour);
    swatch.Move(120, 180, 495, 495);
    button.Caption("Choose color...");
    button.Move(840, 240, 1575, 375);
}

// A scroll bar's tenths as a whole number, halves to the even neighbour.
int tenths_rounded(int value)
{
    return static_cast<int>(runtime::round_half_even(value / 10.0));
}

}

frmSettings::frmSettings(runtime::Program& program)
    : Form(program, "frmSettings")
{
    set_designer_values();
    wire_events();
}

void frmSettings::set_designer_values()
{
    Caption("Kelmor - Settings");
    BorderStyle(runtime::vbFixedSingle);
    StartUpPosition(runtime::vbStartUpScreen);
    BackColor(White);
    // The client area is 7125 x 7725 twips (475 x 515 pixels); the frame and caption come on top.
    float frame_width = 2 * GetSystemMetrics(SM_CXFIXEDFRAME) * TwipsPerPixel;
    float frame_height = (2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION)) * TwipsPerPixel;
    Move(0, 0, 7125 + frame_width, 7725 + frame_height);

    set_menu_designer_values();

    for (auto& page : Picture1) {
        page->BorderStyle(0);
        page->BackColor(White);
        page->Move(2160, 600, 4815, 6855);
        page->Visible(false);
    }

    Check2.Caption("Enable");
    Check2.Move(240, 120, 2295, 255);
    VScroll1.Move(240, 480, 255, 3015);
    VScroll1.Min(-30);
    VScroll1.Max(1);
    VScroll1.Value(0);
    VScroll1.Enabled(false);
    Label3.Caption("Strength:  1");
    Label3.Move(720, 480, 1815, 255);
    Label3.Enabled(false);
    Check12.Caption("Blur Taskbar");
    Check12.Move(240, 3720, 2295, 255);

    Frame1.Caption("Hue/Saturation");
    Frame1.BackColor(White);
    Frame1.Move(120, 0, 4575, 915);
    scrHue.Move(120, 240, 3255, 255);
    scrHue.Max(3600);
    labHue.Caption("0");
    labHue.Move(3480, 240, 735, 255);
    scrSaturation.Move(120, 570, 3255, 255);
    scrSaturation.Max(1000);
    scrSaturation.Value(100);
    labSaturation.Caption("10");
    labSaturation.Move(3480, 570, 735, 255);
    Frame2.Caption("Brightness");
    Frame2.BackColor(White);
    Frame2.Move(120, 960, 4575, 615);
    scrBrightness.Move(120, 240, 3255, 255);
    scrBrightness.Min(-2550);
    scrBrightness.Max(2550);
    labBrightness.Caption("255");
    labBrightness.Move(3480, 240, 735, 255);
    lay_out_swatch_frame(Frame4, "Captioncolor", 1620, Picture3, 0, Command3);
    lay_out_swatch_frame(Frame5, "Caption Blur", 2370, Picture9, White, Command5);
    Check3.Caption("Enable Bordercolor");
    Frame3.Caption("Bordercolor");
    Frame3.BackColor(White);
    Frame3.Move(120, 3120, 4575, 1215);
    Check3.Move(120, 240, 2295, 255);
    Picture2.BackColor(White);
    Picture2.Move(120, 600, 495, 495);
    Picture2.Enabled(false);
    Command2.Caption("Choose color...");
    Command2.Move(840, 660, 1575, 375);
    Label15.Caption("More options only available for non-reflecting border. Turn off RealityColor/reflections.");
    Label15.Move(120, 960, 4575, 615);
    Label15.Visible(false);
    Command2.Enabled(false);

    Check1.Caption("Enable RealityColor/reflections");
    Check1.Move(240, 120, 3495, 255);
    Check7.Caption("Enable aberration");
    Check7.Move(240, 480, 3495, 255);

    Check11.Caption("Start Kelmor at startup");
    Check11.Move(240, 120, 3495, 255);

    Check4.Caption("Enabled");
    Check4.Move(240, 120, 2295, 255);
    Label6.Caption("Transparency:");
    Label6.Move(240, 600, 1215, 255);
    Label6.Enabled(false);
    HScroll1.Move(1560, 600, 2415, 255);
    HScroll1.Max(800);
    HScroll1.Enabled(false);
    Label4.Caption("0 %");
    Label4.Move(4080, 600, 615, 255);
    Label4.Enabled(false);
    Check6.Caption("Controlboxlight similar to transparency");
    Check6.Move(240, 1080, 3975, 255);
    Check6.Enabled(false);

    Check5.Caption("Enabled");
    Check5.Move(240, 120, 2295, 255);
    HScroll2.Move(1560, 600, 2415, 255);
    HScroll2.Min(500);
    HScroll2.Max(2550);
    HScroll2.Value(500);
    HScroll2.Enabled(false);
    Label7.Caption("Strength:");
    Label7.Move(240, 600, 1215, 255);
    Label7.Enabled(false);
    Label8.Caption("Light of the caption buttons");
    Label8.Move(240, 960, 3495, 255);
    Label8.Enabled(false);

    lay_out_swatch_frame(Frame6, "Outerborder", 120, Picture12, White, Command8);
    lay_out_swatch_frame(Frame7, "Innerborder", 960, Picture13, White, Command9);
    lay_out_swatch_frame(Frame8, "Bidirectional light", 1800, Picture14, White, Command10);

    Label10.Caption("Choose an application you don't want to be changed.");
    // Two lines above the list.
    Label10.Move(240, 60, 4335, 405);
    List1.Move(240, 480, 4335, 5295);
    Command6.Caption("Browse...");
    Command6.Move(3000, 5880, 1575, 375);
    Command7.Caption("Cancel");
    Command7.Move(1320, 5880, 1575, 375);
    Command7.Visible(false);
    Picture11.BorderStyle(0);
    Picture11.BackColor(White);
    Picture11.Move(240, 480, 4335, 5295);
    Picture11.Visible(false);
    Drive1.Move(0, 0, 4335, 315);
    Dir1.Move(0, 360, 2115, 4935);
    File1.Move(2220, 360, 2115, 4935);
    File1.Pattern("*.exe");
    mnuList.Visible(false);

    Check9.Caption("Enable Vista style");
    Check9.Move(240, 120, 3495, 255);
    Check10.Caption("Hide Desktop");
    Check10.Move(240, 480, 3495, 255);
    constexpr std::array<const char*, 4> ViewNames { "List", "Large Icons", "Small Icons", "Details" };
    for (auto& option : Option1) {
        option->Caption(ViewNames[option->Index()]);
        option->Move(240, 960 + 360 * option->Index(), 2295, 255);
    }
    Option1[1].Value(true);
    Check13.Caption("Enable Kelmor Explorer Emulation (BETA)");
    Check13.Move(240, 2520, 3975, 255);
    Check14.Caption("Enable Kelmor WMP11 Emulation");
    Check14.Move(240, 2880, 3975, 255);
    Check14.Visible(false);

    Check15.Caption("Enable VidoVazezodura (BETA)");
    Check15.Move(240, 120, 3495, 255);
    Label17.Caption("Transparency: 0");
    Label17.Move(240, 600, 1815, 255);
    Label17.Enabled(false);
    HScroll5.Move(2160, 600, 2415, 255);
    HScroll5.Max(255);
    HScroll5.Enabled(false);
    Label19.Caption("Zoom: 0%");
    Label19.Move(240, 1080, 1815, 255);
    Label19.Enabled(false);
    HScroll6.Move(2160, 1080, 2415, 255);
    HScroll6.Min(45);
    HScroll6.Max(86);
    HScroll6.Value(45);
    HScroll6.Enabled(false);
    Label16.Caption("Shows your webcam picture as a live reflection in the glass.");
    Label16.Move(240, 1560, 3975, 495);
    Picture10.BorderStyle(0);
    Picture10.BackColor(White);
    Picture10.Move(4320, 120, 255, 255);
    Label18.Caption("VidoVazezodura blends the webcam picture into the borders. It needs a webcam.");
    Label18.Move(240, 2160, 4335, 735);
    Label18.Visible(false);

    // The wallpaper renderer's boxes: the whole screen in pixels, the strip in twips.
    for (runtime::PictureBox* box : { &Picture8, &Picture7 }) {
        box->BorderStyle(0);
        box->Visible(false);
    }
    Picture8.ScaleMode(runtime::vbPixels);
    // The strip is processed in its persistent image, where the effects library finds it.
    Picture7.AutoRedraw(true);
    Command4.Visible(false);

    for (auto& page : Picture1)
        give_white_backs(*page);

    Label13.Caption("version 3.0");
    Label13.FontName("Arial");
    Label13.FontSize(8.25f);
    Label13.ForeColor(0x808080);
    Label13.BackStyle(0);
    Label13.Alignment(runtime::vbRightJustify);
    Label13.Move(5160, 120, 1815, 255);
}

void frmSettings::wire_events()
{
    wire_menu_events();
    Check1.on_click = [this] { Check1_Click(); };
    Check2.on_click = [this] { Check2_Click(); };
    Check3.on_click = [this] { Check3_Click(); };
    Check4.on_click = [this] { Check4_Click(); };
    Check5.on_click = [this] { Check5_Click(); };
    Check9.on_click = [this] { Check9_Click(); };
    Command4.on_click = [this] { Command4_Click(); };
    Command6.on_click = [this] { Command6_Click(); };
    Command7.on_click = [this] { Command7_Click(); };
    Drive1.on_change = [this] { Drive1_Change(); };
    Dir1.on_change = [this] { Dir1_Change(); };
    File1.on_dbl_click = [this] { Command6_Click(); };
    List1.on_mouse_up = [this](int Button, int Shift, float X, float Y) { List1_MouseUp(Button, Shift, X, Y); };
    RemoveEntry.on_click = [this] { RemoveEntry_Click(); };
    Picture3.on_click = [this] { Picture3_Click(); };
    Picture10.on_click = [this] { Picture10_Click(); };
    Check10.on_click = [this] { Check10_Click(); };
    Check11.on_click = [this] { Check11_Click(); };
    Check12.on_click = [this] { Check12_Click(); };
    Check15.on_click = [this] { Check15_Click(); };
    Option1.connect(&runtime::OptionButton::on_click, [this](int Index) { Option1_Click(Index); });
    // Dragging a thumb runs the same handler as releasing it.
    auto wire_scroll_bar = [](runtime::ScrollBar& bar, const runtime::EventHandler& handler) {
        bar.on_change = handler;
        bar.on_scroll = handler;
    };
    wire_scroll_bar(VScroll1, [this] { VScroll1_Change(); });
    wire_scroll_bar(scrHue, [this] { scrHue_Change(); });
    wire_scroll_bar(scrSaturation, [this] { scrSaturation_Change(); });
    wire_scroll_bar(scrBrightness, [this] { scrBrightness_Change(); });
    wire_scroll_bar(HScroll1, [this] { HScroll1_Change(); });
    wire_scroll_bar(HScroll2, [this] { HScroll2_Change(); });
    wire_scroll_bar(HScroll5, [this] { HScroll5_Change(); });
    wire_scroll_bar(HScroll6, [this] { HScroll6_Change(); });
    Command2.on_click = [this] { Command2_Click(); };
    Command3.on_click = [this] { Command3_Click(); };
    Command5.on_click = [this] { Command5_Click(); };
    Command8.on_click = [this] { Command8_Click(); };
    Command9.on_click = [this] { Command9_Click(); };
    Command10.on_click = [this] { Command10_Click(); };
    Picture2.on_click = [this] { Picture2_Click(); };
}

void frmSettings::Form_Load()
{
    // The wallpaper to put back at quit, read before the settings can make the generated one current.
    runtime::skip_on_error([&] { globals(program()).OldWallpaper = GetWallpaperPath(); });
    LoadSettings(program());
    // The update check: the notice shows when the published version is newer than this one.
    if (IsNewerVersion(FetchPublishedVersion(Inet1), ProgramVersion(program())))
        Label12.Visible(true);
    MenuDown = false;
    for (auto& page : Picture1) {
        page->BackColor(BackColor());
        page->Move(Picture1[0].Left(), Picture1[0].Top());
    }

    // The blur strength and the transparency as the load left them, applied once more.
    Globals& g = globals(program());
    Label3.Caption("Strength:  " + std::to_string(g.BlurAmount));
    runtime::skip_on_error([&] { VScroll1.Value(VScroll1.Max() - g.BlurAmount); });
    g.BlurAmount = g.BlurAmount + 1;
    runtime::skip_on_error([&] { HScroll1.Value(g.TransparencyPercent * 10); });
}

void frmSettings::UpdateWindows()
{
    for (runtime::Form* f : program().forms()) {
        // A border that closed while messages ran is skipped.
        if (!program().is_in_collection(*f) || is_named_in(*f, NonBorderForms))
            continue;
        runtime::skip_on_error([&] {
            SavedDeltaX = f->call_by_name("DeltaX").to_long();
            SavedDeltaY = f->call_by_name("DeltaY").to_long();
            f->let_by_name("DeltaX", 0);
            f->let_by_name("DeltaY", 0);
            f->call_by_name("RefreshMe");
        });
        runtime::DoEvents();
        if (!program().is_in_collection(*f))
            continue;
        runtime::skip_on_error([&] {
            f->let_by_name("DeltaX", SavedDeltaX);
            f->let_by_name("DeltaY", SavedDeltaY);
        });
        SetTransparency(f->hWnd(), globals(program()).TransparencyPercent);
    }
}

void frmSettings::Check1_Click()
{
    globals(program()).ReflectionsOn = Check1.Value() == runtime::vbChecked;
}

void frmSettings::Check2_Click()
{
    Globals& g = globals(program());
    if (Check2.Value() != runtime::vbChecked) {
        Label3.Enabled(false);
        VScroll1.Enabled(false);
        VScroll1.Value(VScroll1.Max());
        return;
    }
    Label3.Caption("Strength:  " + std::to_string(g.BlurAmount));
    g.BlurAmount = 5;
    VScroll1.Value(VScroll1.Max() - g.BlurAmount);
    Label3.Enabled(true);
    VScroll1.Enabled(true);
}

void frmSettings::Check3_Click()
{
    Globals& g = globals(program());
    bool is_set = Check3.Value() != runtime::vbUnchecked;
    Picture2.Enabled(is_set);
    Command2.Enabled(is_set);
    g.BorderColorOn = Check3.Value() == runtime::vbChecked;
    g.BorderColorOff = Check3.Value() != runtime::vbChecked;
}

void frmSettings::Check4_Click()
{
    bool is_set = Check4.Value() != runtime::vbUnchecked;
    Label4.Enabled(is_set);
    Label6.Enabled(is_set);
    HScroll1.Enabled(is_set);
    Check6.Enabled(is_set);
    if (is_set)
        return;
    HScroll1.Value(0);
    Label4.Caption("0 %");
}

void frmSettings::Check5_Click()
{
    bool is_set = Check5.Value() != runtime::vbUnchecked;
    Label8.Enabled(is_set);
    Label7.Enabled(is_set);
    HScroll2.Enabled(is_set);
}

void frmSettings::Check9_Click()
{
    runtime::Program& p = program();
    if (Check9.Value() != runtime::vbChecked) {
        // The option can be turned off: the system taskbar comes back in place of the skin.
        runtime::skip_on_error([] { ShowTaskbar(); });
        if (p.is_loaded<frmTaskbar>())
            p.form<frmTaskbar>().Hide();
        if (p.is_loaded<frmStartmenu>())
            p.form<frmStartmenu>().Hide();
        return;
    }
    runtime::skip_on_error([] { HideTaskbar(); });
    frmTaskbar& skin = p.form<frmTaskbar>();
    skin.FitToScreen();
    skin.ShowAtBottom();
}

void frmSettings::Check10_Click()
{
    if (Check10.Value() == runtime::vbChecked)
        HideDesktopIcons();
    else
        ShowDesktopIcons();
}

void frmSettings::Check11_Click()
{
    if (Check11.Value() != runtime::vbChecked) {
        RemoveAutostart("Kelmor");
        return;
    }
    // Quoted, so that a folder with a space in its name cannot start another program in its place.
    AddAutostart("Kelmor", "\"" + program().App().Path() + "\\Kelmor 2.exe\"");
}

void frmSettings::Check12_Click()
{
    if (Check12.Value() == runtime::vbChecked) {
        Command4_Click();
        return;
    }
    RestoreOldWallpaper(program());
}

void frmSettings::Check15_Click()
{
    Globals& g = globals(program());
    bool is_ticked = Check15.Value() == runtime::vbChecked;
    g.GlowSuppressed = is_ticked;
    if (is_ticked)
        ResumeWebcamLoop(program());
    else
        PauseWebcamLoop(program());
    for (runtime::Control* control : std::initializer_list<runtime::Control*> { &Label17, &HScroll5, &Label19, &HScroll6 })
        control->Enabled(is_ticked);
    runtime::skip_on_error([&] {
        frmCAM& cam = program().form<frmCAM>();
        if (is_ticked)
            cam.Command1_Click();
        else
            cam.Command2_Click();
    });
}

void frmSettings::Option1_Click(int Index)
{
    // The list-view view numbers of List, Large Icons, Small Icons and Details.
    constexpr std::array<long, 4> ViewStyles { 3, 0, 2, 1 };
    SetDesktopViewStyle(ViewStyles[Index]);
}

void frmSettings::Picture3_Click()
{
    // Cancel leaves CD1's colour as it was, so the swatch keeps its colour.
    CD1.Color(Picture3.BackColor());
    runtime::skip_on_error([&] {
        CD1.ShowColor();
        Picture3.BackColor(CD1.Color());
    });
}

void frmSettings::Picture10_Click()
{
    Label18.Visible(!Label18.Visible());
}

void frmSettings::VScroll1_Change()
{
    Globals& g = globals(program());
    g.BlurAmount = -VScroll1.Value();
    Label3.Caption("Strength:  " + std::to_string(g.BlurAmount + 1));
    runtime::DoEvents();
    UpdateWindows();
}

void frmSettings::scrHue_Change()
{
    labHue.Caption(std::to_string(tenths_rounded(scrHue.Value())));
    runtime::DoEvents();
    UpdateWindows();
}

void frmSettings::scrSaturation_Change()
{
    labSaturation.Caption(std::to_string(tenths_rounded(scrSaturation.Value())));
    runtime::DoEvents();
    UpdateWindows();
}

void frmSettings::scrBrightness_Change()
{
    labBrightness.Caption(std::to_string(tenths_rounded(scrBrightness.Value()) + 255));
    runtime::DoEvents();
    UpdateWindows();
}

void frmSettings::HScroll1_Change()
{
    Globals& g = globals(program());
    g.TransparencyPercent = tenths_rounded(HScroll1.Value());
    Label4.Caption(std::to_string(g.TransparencyPercent) + " %");
    runtime::DoEvents();
    for (runtime::Form* f : program().forms()) {
        if (program().is_in_collection(*f) && !is_named_in(*f, OpaqueForms))
            SetTransparency(f->hWnd(), g.TransparencyPercent);
    }
}

void frmSettings::HScroll2_Change() { }

void frmSettings::HScroll5_Change()
{
    Label17.Caption("Transparency: " + std::to_string(HScroll5.Value()));
    runtime::skip_on_error([&] {
        program().form<frmCAM>().barAmount.Value(HScroll5.Max() - HScroll5.Value());
    });
}

void frmSettings::HScroll6_Change()
{
    double share = static_cast<double>(HScroll6.Value() - HScroll6.Min()) / (HScroll6.Max() - HScroll6.Min());
    Label19.Caption("Zoom: " + std::to_string(static_cast<int>(runtime::round_half_even(share * 100))) + "%");
    runtime::skip_on_error([&] {
        program().form<frmFlipImage>().HScroll4.Value(HScroll6.Value());
    });
}

void frmSettings::ShowColDialog(int iColorIndex, std::optional<std::string> cCaption)
{
    runtime::Program& p = program();
    globals(p).ColorIndex = iColorIndex;
    if (p.is_loaded<frmColor>())
        p.unload(p.form<frmColor>());
    frmColor& picker = p.form<frmColor>();
    if (cCaption)
        picker.Caption(*cCaption);
    Globals& g = globals(p);
    DrawHueSquare(picker, g.ColorR, g.ColorG, g.ColorB);
    picker.Show();
}

runtime::PictureBox* frmSettings::colour_swatch(int ColorIndex)
{
    const std::array<runtime::PictureBox*, 6> swatches { &Picture2, &Picture3, &Picture9, &Picture12, &Picture13, &Picture14 };
    if (ColorIndex < 0 || ColorIndex >= static_cast<int>(swatches.size()))
        return nullptr;
    return swatches[ColorIndex];
}

void frmSettings::SplitColor(const long& c)
{
    Globals& g = globals(program());
    g.ColorR = static_cast<int>(c % 256);
    g.ColorG = static_cast<int>(((c & ~255L) / 256) % 256);
    g.ColorB = static_cast<int>((c & 0xFF0000L) / 65536);
}

void frmSettings::choose_colour(int iColorIndex)
{
    static constexpr std::array<const char*, 6> Captions { "Kelmor - Bordercolor", "Kelmor - Captioncolor",
        "Kelmor - Captionblur color", "Kelmor - Outerbordercolor", "Kelmor - Innerbordercolor",
        "Kelmor - Bidirectional light color" };
    SplitColor(colour_swatch(iColorIndex)->BackColor());
    ShowColDialog(iColorIndex, Captions[iColorIndex]);
}

void frmSettings::Command2_Click() { choose_colour(0); }
void frmSettings::Command3_Click() { choose_colour(1); }
void frmSettings::Command5_Click() { choose_colour(2); }
void frmSettings::Command8_Click() { choose_colour(3); }
void frmSettings::Command9_Click() { choose_colour(4); }
void frmSettings::Command10_Click() { choose_colour(5); }

// The border swatch opens the picker as its button does, so that OK writes into this swatch and
// not into whichever swatch the picker edited last.
void frmSettings::Picture2_Click() { choose_colour(0); }
