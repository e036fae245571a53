#include "control/frmGethWnd.h"

#include "border/Form1.h"
#include "border/FrmSplash.h"
#include "border/frmTrans.h"
#include "border/handle_text.h"
#include "control/frmWinMgr.h"
#include "control/mdlTray.h"
#include "control/webcam_loop.h"
#include "control/window_snapshot.h"
#include "runtime/window_placement.h"
#include "services/CtlTranz1.h"
#include "services/Module2.h"
#include "services/modGetAdress.h"
#include "services/modGetModul.h"
#include "services/modLoadPicBox.h"
#include "services/modGlobal.h"
#include "services/modTaskbar.h"
#include "services/window_answers.h"
#include "settings/frmColDialog.h"
#include "settings/frmColor.h"
#include "settings/frmSettings.h"
#include "settings/modBlurWallpaper.h"
#include "shellskin/frmStartmenu.h"
#include "shellskin/frmTaskbar.h"
#include "webcam/frmCAM.h"
#include "webcam/frmFlipImage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace {

// The program's own singleton windows; every other loaded window is a border window.
constexpr std::array<std::string_view, 10> SingletonForms { "frmGethWnd", "frmSettings", "Form1", "frmColor",
    "frmTaskbar", "frmStartmenu", "frmWinMgr", "frmColDialog", "frmCAM", "frmFlipImage" };

// Each control package: the main file looked for in the system folder, then every file to copy.
struct ControlPackage {
    std::vector<std::string_view> files;
};
const std::array<ControlPackage, 4> ControlPackages { {
    { { "COMCTL32.OCX", "COMCTL32.DLL", "COMCTL32.OCA" } },
    { { "MSINET.OCX", "MSINET.OCA" } },
    { { "COMDLG32.OCX", "COMDLG32.DLL", "COMDLG32.OCA" } },
    { { "RICHTX32.OCX", "RICHTX32.OCA" } },
} };

std::string upper_case(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// The part of a path after its last "\", or the whole path when it has none.
std::string file_name_of(const std::string& path)
{
    auto separator = path.rfind('\\');
    if (separator == std::string::npos)
        return path;
    return path.substr(separator + 1);
}

bool is_border_window(const runtime::Form& form)
{
    return std::find(SingletonForms.begin(), SingletonForms.end(), form.Name()) == SingletonForms.end()
        && form.Name() != "FrmSplash";
}

}

frmGethWnd::frmGethWnd(runtime::Program& program)
    : Form(program, "frmGethWnd")
{
    ShowInTaskbar(false);
    for (auto* timer : { &Timer4, &Timer2 }) {
        timer->Enabled(false);
        timer->Interval(1);
    }
    Timer4.on_timer = [this] { Timer4_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    TrayMenu_Enabled.Checked(true);
    wire_tray_menu();
}

void frmGethWnd::wire_tray_menu()
{
    TrayMenu_Enabled.on_click = [this] { TrayMenu_Enabled_Click(); };
    TrayMenu_Colors.on_click = [this] { TrayMenu_Colors_Click(); };
    TrayMenu_Preferences.on_click = [this] { TrayMenu_Preferences_Click(); };
    TrayMenu_Windowmanager.on_click = [this] { TrayMenu_Windowmanager_Click(); };
    TrayMenu_End.on_click = [this] { TrayMenu_End_Click(); };
}

void frmGethWnd::Form_Load()
{
    using runtime::skip_on_error;
    skip_on_error([&] { copy_missing_control_files(); });
    skip_on_error([&] { ShowTaskbar(); });
    skip_on_error([&] { Hide(); });
    Globals& g = globals(program());
    g.BrightnessOn = true;
    g.BorderColorOn = true;
    g.ReflectionsOn = false;
    g.BorderColorOff = true;
    g.GlowSuppressed = false;
    g.FadeOutStep = 10;
    g.FadeInStep = 10;
    g.BlurAmount = 8;
    g.TransparencyPercent = 0;
    // A second instance leaves the desktop's windows to the first one.
    if (program().App().PrevInstance()) {
        program().End();
        return;
    }
    SetTransparency(hWnd(), 100);
    FadeLevel = 100;
    WinList.assign(1, ':');
    program().App().TaskVisible(false);
    skip_on_error([&] { load_singletons(); });
    skip_on_error([&] { program().form<frmSettings>().VScroll1.Value(-g.BlurAmount); });
    // The icon comes before the first snapshot: a shell that shows its notification area in a
    // window of its own opens that window for the first icon, and it is not a window to adopt.
    skip_on_error([&] { AddTrayIcon(program(), hWnd(), program().form<FrmSplash>().Icon(), "Kelmor", WM_MOUSEMOVE); });
    skip_on_error([&] { FillWindowList(); });
    // Every window open now is known from here on: none of them is ever adopted.
    WinCount = 0;
    build_snapshot();
    OldWinList = WinList;
    OldWinCount = List1[0].ListCount();
    g.BorderCount = 0;
    Timer4.Enabled(true);
}

void frmGethWnd::Form_Unload(int& Cancel)
{
    Cancel = 1;
    FadeLevel = globals(program()).TransparencyPercent;
    Timer2.Enabled(true);
}

void frmGethWnd::Form_MouseMove(int, int, float X, float)
{
    auto mouse_message = static_cast<UINT>(runtime::round_half_even(X / program().Screen().TwipsPerPixelX()));
    if (mouse_message != WM_RBUTTONUP)
        return;
    // The webcam loop pauses while the menu is open and until one of its actions lets it run again.
    PauseWebcamLoop(program());
    runtime::PopupMenu(*this, TrayMenu);
}

LRESULT frmGethWnd::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == m_taskbar_created && m_taskbar_created != 0) {
        RestoreTrayIcon(program());
        return 0;
    }
    return Form::handle_message(message, wparam, lparam);
}

void frmGethWnd::TrayMenu_Enabled_Click()
{
    if (TrayMenu_Enabled.Checked()) {
        TrayMenu_Enabled.Checked(false);
        Timer4.Enabled(false);
        return;
    }
    TrayMenu_Enabled.Checked(true);
    Command1_Click();
    // Every window open now is known, also one that a tick would otherwise find among newer ones.
    build_snapshot();
    OldWinList = WinList;
    OldWinCount = List1[0].ListCount();
    Timer4.Enabled(true);
}

void frmGethWnd::TrayMenu_Colors_Click()
{
    PauseWebcamLoop(program());
    program().form<frmColDialog>().Show();
}

void frmGethWnd::TrayMenu_Preferences_Click()
{
    PauseWebcamLoop(program());
    program().form<frmSettings>().Show();
}

void frmGethWnd::TrayMenu_Windowmanager_Click()
{
    PauseWebcamLoop(program());
    program().form<frmWinMgr>().Show();
}

void frmGethWnd::TrayMenu_End_Click()
{
    if (program().is_loaded<frmCAM>())
        program().unload(program().form<frmCAM>());
    Command7_Click();
}

void frmGethWnd::Timer2_Timer()
{
    fade_out_tick(*this, Timer2, FadeLevel, 10);
}

void frmGethWnd::Command7_Click()
{
    // From here on no window is adopted, whatever runs while the steps below pump messages. The
    // steps are the same whether the user quits, the system ends the program or a fault of ours
    // does: each one that fails is skipped, so the later ones still give the desktop back.
    m_is_ending = true;
    using runtime::skip_on_error;
    runtime::Program& p = program();
    skip_on_error([&] { Timer4.Enabled(false); });
    release_all_borders(p);
    skip_on_error([&] {
        if (p.is_loaded<frmCAM>())
            p.form<frmCAM>().Command2_Click();
    });
    skip_on_error([&] { SetDesktopViewStyle(0); });
    skip_on_error([&] { runtime::DoEvents(); });
    skip_on_error([&] { ShowTaskbar(); });
    skip_on_error([&] { runtime::DoEvents(); });
    skip_on_error([&] { ShowDesktopIcons(); });
    skip_on_error([&] { runtime::DoEvents(); });
    // The generated blurred-taskbar wallpaper gives way to the user's own; one the user chose
    // during the run stays.
    skip_on_error([&] { RestoreOldWallpaper(p); });
    skip_on_error([&] { RemoveTrayIcon(p); });
    // The desktop is the user's again; a window whose program does not answer is given back once
    // it does, as nothing can take it back from its program without waiting for it.
    release_borders_once_answering(p);
    // Last, so that nothing drawn on the way out starts GDI+ again.
    release_image_drawing(p);
    p.End();
}

void frmGethWnd::Command1_Click()
{
    FillWindowList();
}

void frmGethWnd::FillWindowList()
{
    for (auto& list : List1)
        list->Clear();
    AddWindowToList(GetDesktopWindow());
    // Reading a handle creates its window when it does not exist yet, so they are read before the walk.
    const std::array<HWND, 9> own = own_windows();
    for (HWND h = GetWindow(hWnd(), GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (std::find(own.begin(), own.end(), h) == own.end())
            AddWindowToList(h);
    }
}

std::array<HWND, 9> frmGethWnd::own_windows()
{
    runtime::Program& p = program();
    return { hWnd(), p.form<frmSettings>().hWnd(), p.form<frmColor>().hWnd(), p.form<frmWinMgr>().hWnd(),
        p.form<Form1>().hWnd(), p.form<frmStartmenu>().hWnd(), p.form<frmTaskbar>().hWnd(),
        p.form<frmColDialog>().hWnd(), p.form<frmFlipImage>().hWnd() };
}

void frmGethWnd::AddWindowToList(HWND hWnd)
{
    constexpr DWORD VisibleWithBorder = WS_VISIBLE | WS_BORDER;
    auto style = static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE));
    if ((style & VisibleWithBorder) != VisibleWithBorder)
        return;
    // The program's own windows, its message boxes and common dialogs among them, are never adopted.
    DWORD process_id = 0;
    GetWindowThreadProcessId(hWnd, &process_id);
    if (process_id == GetCurrentProcessId())
        return;
    int length = GetWindowTextLengthA(hWnd);
    if (length <= 0)
        return;
    std::string title(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hWnd, title.data(), length + 1);
    title.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
    if (title.empty())
        return;
    List1[0].AddItem(handle_text(hWnd));
    List1[1].AddItem(title);
    List1[2].AddItem(std::to_string(process_id));
}

void frmGethWnd::Timer4_Timer()
{
    // The window list and the snapshots are shared: a tick that falls due inside another is dropped.
    if (m_is_polling || m_is_ending)
        return;
    m_is_polling = true;
    struct PollScope {
        bool& is_polling;
        ~PollScope() { is_polling = false; }
    } scope { m_is_polling };
    runtime::skip_on_error([&] { Command1_Click(); });
    WinCount = 0;
    build_snapshot();
    for_each_snapshot_handle(WinList, [&](std::string_view) { ++WinCount; });
    runtime::DoEvents();
    int adopted = 0;
    std::vector<std::string> deferred;
    if (WinCount > OldWinCount) {
        runtime::DoEvents();
        // The walk goes over this tick's snapshot, whatever the adoptions do to the list.
        std::string snapshot = WinList;
        for_each_snapshot_handle(snapshot, [&](std::string_view handle) {
            if (is_in_snapshot(OldWinList, handle))
                return;
            runtime::skip_on_error([&] {
                Adoption adoption = adopt_if_allowed(std::string(handle));
                if (adoption == Adoption::Adopted)
                    ++adopted;
                if (adoption == Adoption::Deferred)
                    deferred.emplace_back(handle);
            });
            runtime::skip_on_error([&] { Command1_Click(); });
        });
    }
    // An adopted window leaves the list as it becomes a child; counting it as known would make the
    // next tick miss a window opened meanwhile. A window whose program did not answer stays new,
    // so that the next ticks try again until it answers.
    OldWinCount = WinCount - adopted - static_cast<int>(deferred.size());
    OldWinList = WinList;
    for (const std::string& handle : deferred)
        forget_snapshot_handle(OldWinList, handle);
}

void frmGethWnd::build_snapshot()
{
    WinList.assign(1, ':');
    for (int row = 0; row < List1[0].ListCount(); ++row) {
        WinList += List1[0].List(row);
        WinList += ':';
    }
}

frmGethWnd::Adoption frmGethWnd::adopt_if_allowed(const std::string& handle)
{
    // A window that closed between the snapshot and now has no row any more: it is skipped.
    int row = -1;
    for (int i = 0; i < List1[0].ListCount(); ++i) {
        if (List1[0].List(i) == handle) {
            row = i;
            break;
        }
    }
    if (row < 0)
        return Adoption::PassedOver;
    NewWinIndex = row;
    auto process_id = static_cast<DWORD>(number_from_text(List1[2].List(NewWinIndex)));
    std::string exe = file_name_of(GetProcessFileName(process_id));
    HWND window = handle_from_text(handle);
    std::string caption;
    if (!IsAnswering(window) || !runtime::skip_on_error([&] { caption = GetControlText(window); }))
        return Adoption::Deferred;
    if (upper_case(exe) == "WINAMP.EXE" || upper_case(caption) == "DRAG")
        return Adoption::PassedOver;
    if (is_excluded(exe))
        return Adoption::PassedOver;
    runtime::DoEvents();
    // The window may have stopped answering while messages ran.
    if (!IsAnswering(window))
        return Adoption::Deferred;
    CreateNewWindow(window, process_id);
    bool is_adopted = IsWindow(window) && GetAncestor(window, GA_PARENT) != GetDesktopWindow();
    return is_adopted ? Adoption::Adopted : Adoption::PassedOver;
}

bool frmGethWnd::is_excluded(const std::string& exe) const
{
    const runtime::ListBox& exclusions = program().form<frmSettings>().List1;
    std::string wanted = upper_case(exe);
    for (int row = 0; row < exclusions.ListCount(); ++row) {
        if (upper_case(exclusions.List(row)) == wanted)
            return true;
    }
    return false;
}

RECT frmGethWnd::adoption_rectangle(HWND window)
{
    // A minimised window lies far off the screen; its border takes the rectangle the window has
    // when restored, so that the border, and at quit the window, come back where the user left it.
    if (IsIconic(window))
        return runtime::restored_rectangle(window);
    RECT rc {};
    GetWindowRect(window, &rc);
    return rc;
}

void frmGethWnd::CreateNewWindow(HWND XhWnd, const DWORD& iTaskID)
{
    runtime::Program& p = program();
    // A handle that names no window gets no border at all, and none is made once the end has begun.
    if (m_is_ending || !XhWnd || !IsWindow(XhWnd))
        return;
    frmTrans& frm = p.load_new<frmTrans>();
    // A border the process has no GDI objects left to draw is not made: the window stays as it is.
    if (!frm.can_draw()) {
        p.unload(frm);
        return;
    }
    // The border knows what to give back before anything changes the window, so that whatever
    // ends the adoption at any later step finds the window to give back as it was.
    frm.Label2.Caption(handle_text(XhWnd));
    frm.Label5.Caption(std::to_string(GetWindowLongA(XhWnd, GWL_STYLE)));
    frm.Label6.Caption(std::to_string(GetWindowLongA(XhWnd, GWL_EXSTYLE)));
    RECT rc = adoption_rectangle(XhWnd);
    frm.remember_adopted_place(IsZoomed(XhWnd) ? runtime::restored_rectangle(XhWnd) : rc);
    // The border is not shown yet, so the window disappears from the screen as it becomes its
    // child. A window whose program refuses (one running with higher rights) is left exactly as
    // it was, and its border goes at once.
    if (!SetParent(XhWnd, frm.Picture10.hWnd())) {
        p.unload(frm);
        return;
    }
    ShowWindow(XhWnd, SW_HIDE);
    PauseWebcamLoop(p);

    SetTransparency(frm.hWnd(), 100);
    frm.Label1.Caption("");
    frm.Label3.Caption(std::to_string(iTaskID));
    if (upper_case(file_name_of(GetProcessFileName(iTaskID))) == "EXPLORER.EXE"
        && p.form<frmSettings>().Check13.Value() == runtime::vbChecked) {
        runtime::skip_on_error([&] { frm.Text2.Text(GetAddressText(p, XhWnd)); });
        const std::string& address = frm.Text2.Text();
        auto blank = address.find(' ');
        if (blank != std::string::npos)
            frm.Text2.Text(address.substr(blank + 1));
        frm.Text2.Left(frm.Picture17.Left() + frm.Picture17.Width() + 120);
        frm.Text2.Top(frm.Picture17.Top());
        bool has_address = !frm.Text2.Text().empty();
        frm.Text2.Visible(has_address);
        frm.Label1.Visible(!has_address);
    }
    frm.Label1.Caption(GetCaption(XhWnd));

    float left = rc.left * p.Screen().TwipsPerPixelX();
    float top = rc.top * p.Screen().TwipsPerPixelY();
    float width = (rc.right - rc.left) * 15.0f + 120;
    float height = frm.Picture1.Height() + (rc.bottom - rc.top) * 15.0f + frm.Picture8.Height() - 240 - 180 + 120;
    frm.Move(left, top, width, height);
    frm.remember_adopted_border();

    auto style = static_cast<DWORD>(number_from_text(frm.Label5.Caption()));

    frm.SetWinProperties(false, false, false);
    if (style & WS_MINIMIZEBOX)
        frm.SetWinProperties(true, false, false);
    if (style & WS_MAXIMIZEBOX)
        frm.SetWinProperties(false, true, false);
    if (style & WS_SYSMENU)
        frm.SetWinProperties(false, false, true);
    frm.CheckWinProperties();
    ClearWindowStyle(XhWnd);

    frm.Caption(frm.Label1.Caption());
    frm.Label3.Caption(std::to_string(iTaskID));
    auto pixels = [](double twips) { return static_cast<int>(runtime::round_half_even(twips / 15)); };
    MoveWindow(XhWnd, 0, 0, pixels(frm.Picture10.width_twips()), pixels(frm.Picture10.height_twips()), TRUE);
    ShowWindow(XhWnd, SW_SHOWNORMAL);
    globals(p).BorderCount += 1;
    p.form<frmWinMgr>().append_row(frm.Label1.Caption(), frm.Label2.Caption());

    ShowWindow(XhWnd, SW_SHOWNORMAL);
    frm.ShowIcon();
    frm.Caption(frm.Label1.Caption());
    frm.Icon(p.form<FrmSplash>().Icon());
    if (style & WS_MINIMIZE)
        frm.MinMe();
    else if (style & WS_MAXIMIZE)
        frm.MaxMe();
    frm.finish_adoption();
    ShowWindow(XhWnd, SW_SHOW);
    frm.Show();
    frm.Timer5.Enabled(true);
}

void frmGethWnd::copy_missing_control_files()
{
    std::string system_folder = GetWindowsFolder() + "\\system32";
    const std::string& program_folder = program().App().Path();
    for (const auto& package : ControlPackages) {
        if (runtime::FileExists(system_folder + "\\" + std::string(package.files.front())))
            continue;
        for (std::string_view file : package.files) {
            std::string name(file);
            CopyFileA((program_folder + "\\" + name).c_str(), (system_folder + "\\" + name).c_str(), FALSE);
        }
    }
}

void frmGethWnd::load_singletons()
{
    // The settings window first: its load reads and applies the settings files.
    runtime::Program& p = program();
    p.form<frmSettings>();
    p.form<FrmSplash>();
    p.form<Form1>();
    p.form<frmColor>();
    p.form<frmTaskbar>();
    p.form<frmStartmenu>();
    p.form<frmWinMgr>();
    p.form<frmColDialog>();
    p.form<frmCAM>();
    p.form<frmFlipImage>();
}

void release_all_borders(runtime::Program& program)
{
    // A window whose program does not answer can only be given back by waiting for it: it is left
    // for release_borders_once_answering, so that nothing else waits for a program that does not answer.
    for (runtime::Form* form : program.forms()) {
        // A border that closed while messages ran is passed over.
        if (!program.is_in_collection(*form) || !is_border_window(*form))
            continue;
        auto* border = dynamic_cast<frmTrans*>(form);
        if (border && IsWindow(border->target()) && !IsAnswering(border->target()))
            continue;
        // Hidden borders (fading, re-laying out) give their windows back like the visible ones.
        runtime::skip_on_error([&] { form->call_by_name("SetMeFree"); });
        if (!program.is_loaded<Form1>())
            continue;
        auto& glow = program.form<Form1>();
        glow.Hide();
        glow.HideGlow();
        program.unload(glow);
    }
}

// Whether a border still holds a window whose program did not answer.
static bool is_holding_unanswered_window(runtime::Program& program)
{
    for (runtime::Form* form : program.forms()) {
        if (!program.is_in_collection(*form) || !is_border_window(*form))
            continue;
        auto* border = dynamic_cast<frmTrans*>(form);
        if (border && IsWindow(border->target()) && !IsAnswering(border->target()))
            return true;
    }
    return false;
}

void release_borders_once_answering(runtime::Program& program)
{
    // The wait keeps the message loop running: the borders left go on drawing and following.
    release_all_borders(program);
    while (is_holding_unanswered_window(program))
        Pause(0.05f);
    release_all_borders(program);
}

void end_kelmor(runtime::Program& program)
{
    if (program.is_loaded<frmGethWnd>())
        program.form<frmGethWnd>().Command7_Click();
    release_borders_once_answering(program);
    release_image_drawing(program);
    program.End();
}
