#include "border/frmTrans.h"

#include "border/Form1.h"
#include "border/designer_bitmap.h"
#include "border/handle_text.h"
#include "control/frmWinMgr.h"
#include "control/webcam_loop.h"
#include "runtime/shared_pictures.h"
#include "services/CtlTranz1.h"
#include "services/MOT.h"
#include "services/modGetAdress.h"
#include "services/modGlobal.h"
#include "services/modRegion.h"
#include "services/modTaskbar.h"
#include "settings/frmSettings.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr long White = 0xFFFFFF;
constexpr float CaptionHeight = 375;
constexpr float EdgeThickness = 65;
// How often the watcher asks the target for its title when the text Windows keeps did not change (ms).
constexpr DWORD TitleRecheckMs = 1000;

// A whole number of pixels from twips, halves to the even neighbour.
int pixels_rounded(double twips)
{
    return static_cast<int>(runtime::round_half_even(twips / runtime::TwipsPerPixel));
}

// The text after the first blank, or the whole text when it has none.
std::string text_after_first_blank(const std::string& text)
{
    auto blank = text.find(' ');
    if (blank == std::string::npos)
        return text;
    return text.substr(blank + 1);
}

}

frmTrans::frmTrans(runtime::Program& program)
    : Form(program, "frmTrans")
{
    set_designer_values();
    wire_events();
}

void frmTrans::set_designer_values()
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    BackColor(0xFFFF00);
    Move(0, 0, 9030, 7170);

    // The form keeps its outline through repaints.
    AutoRedraw(true);

    Picture1.BorderStyle(0);
    Picture1.AutoRedraw(true);
    Picture1.Move(30, 30, 8970, CaptionHeight);
    Picture17.BorderStyle(0);
    Picture17.BackColor(0xE0E0E0);
    Picture17.AutoRedraw(true);
    Picture17.Move(120, 30, 255, 255);
    Label1.FontName("Segoe UI");
    Label1.FontSize(9);
    Label1.BackStyle(0);
    Label1.AutoSize(true);
    Label1.Move(480, 75, 0, 225);
    Text2.Visible(false);
    Label7.FontName("Segoe UI");
    Label7.FontSize(9);
    Label7.BackStyle(0);
    Label7.AutoSize(true);
    Label7.Visible(false);
    for (auto& zone : Label4) {
        zone->BackStyle(0);
        zone->Caption(std::string(1, "_^X"[zone->Index()]));
    }

    for (auto* piece : { &Picture4, &Picture6, &Picture8, &Picture10 })
        piece->BorderStyle(0);
    Picture4.Move(30, 405, EdgeThickness, 6670);
    Picture6.Move(8935, 405, EdgeThickness, 6670);
    Picture8.Move(30, 7075, 8970, EdgeThickness);
    // The bottom piece's corner pixels are drawn over its picture and must survive its repaints.
    Picture8.AutoRedraw(true);
    Picture10.Move(110, 420, 8825, 6640);
    set_grip_pointers();
    Shape1.BorderColor(White);
    Shape1.Move(95, 405, 8855, 6670);

    for (auto* buffer : { &Picture2, &Picture5, &Picture7, &Picture9, &Picture15 }) {
        buffer->BorderStyle(0);
        buffer->AutoRedraw(true);
        buffer->Visible(false);
    }
    Picture15.AutoSize(true);

    Picture3.Visible(false);
    Picture3.AutoRedraw(true);
    Picture3.AutoSize(true);

    set_designer_pictures();

    for (auto* storage : { &Label2, &Label3, &Label5, &Label6 })
        storage->Visible(false);

    for (auto* timer : { &Timer1, &Timer2, &Timer3, &Timer5, &Timer6, &Timer8 }) {
        timer->Enabled(false);
        timer->Interval(1);
    }
}

void frmTrans::set_designer_pictures()
{
    // Every border shows the same button images: they are made once for the program.
    auto& shared = program().module<runtime::SharedPictures>();
    auto load = [&](runtime::PictureBox& box, const std::string& name) {
        box.BorderStyle(0);
        box.Visible(false);
        box.Picture(shared.get(name, [&] { return designer_bitmap(name); }));
    };
    auto load_array = [&](runtime::ControlArray<runtime::PictureBox>& boxes, const std::string& name) {
        for (auto& box : boxes) {
            box->AutoSize(true);
            load(*box, "frmTrans." + name + "(" + std::to_string(box->Index()) + ")");
        }
    };
    load_array(Picture11, "Picture11");
    for (auto* images : { &Picture12, &Picture13, &Picture14, &Picture16, &Picture18, &Picture20, &Picture21 })
        load_array(*images, (*images)[0].Name());
    Picture19.AutoSize(true);
    load(Picture19, "frmTrans.Picture19");
}

bool frmTrans::can_draw()
{
    if (!hDC())
        return false;
    for (auto* surface : { &Picture1, &Picture2, &Picture5, &Picture7, &Picture8, &Picture9, &Picture15 }) {
        if (!surface->hDC())
            return false;
    }
    // The layout and the first passes make more objects than the surfaces (the pieces' pictures, the
    // contexts they draw through, the images they load): room for that many is tried as well.
    constexpr int PassObjects = 80;
    std::vector<HBITMAP> room;
    for (int i = 0; i < PassObjects; ++i) {
        HBITMAP object = CreateBitmap(1, 1, 1, 1, nullptr);
        if (!object)
            break;
        room.push_back(object);
    }
    bool has_room = room.size() == PassObjects;
    for (HBITMAP object : room)
        DeleteObject(object);
    return has_room;
}

void frmTrans::wire_events()
{
    Picture1.on_mouse_down = [this](int button, int shift, float x, float y) { Picture1_MouseDown(button, shift, x, y); };
    Picture1.on_mouse_move = [this](int button, int shift, float x, float y) { Picture1_MouseMove(button, shift, x, y); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    Timer5.on_timer = [this] { Timer5_Timer(); };
    Picture1.on_mouse_up = [this](int button, int shift, float x, float y) { Picture1_MouseUp(button, shift, x, y); };
    Picture1.on_dbl_click = [this] { Picture11_MouseUp(1, 1, 0, 1, 1); };
    Label1.on_mouse_down = [this](int button, int shift, float x, float y) { Label1_MouseDown(button, shift, x, y); };
    Label1.on_mouse_move = [this](int button, int shift, float x, float y) { Picture1_MouseMove(button, shift, x, y); };
    Label1.on_dbl_click = [this] { Picture11_MouseUp(1, 1, 0, 1, 1); };
    Label7.on_mouse_down = [this](int button, int shift, float x, float y) { Label7_MouseDown(button, shift, x, y); };
    Text2.on_lost_focus = [this] { Text2_LostFocus(); };
    Label4.connect(&runtime::Label::on_mouse_move,
        [this](int index, int button, int shift, float x, float y) { Label4_MouseMove(index, button, shift, x, y); });
    Picture11.connect(&runtime::PictureBox::on_mouse_move,
        [this](int index, int button, int shift, float x, float y) { Picture11_MouseMove(index, button, shift, x, y); });
    Picture11.connect(&runtime::PictureBox::on_mouse_down,
        [this](int index, int button, int shift, float x, float y) { Picture11_MouseDown(index, button, shift, x, y); });
    Picture11.connect(&runtime::PictureBox::on_mouse_up,
        [this](int index, int button, int shift, float x, float y) { Picture11_MouseUp(index, button, shift, x, y); });
    Timer6.on_timer = [this] { Timer6_Timer(); };
    Timer3.on_timer = [this] { Timer3_Timer(); };
    Picture6.on_mouse_down = [this](int button, int shift, float x, float y) { Picture6_MouseDown(button, shift, x, y); };
    Picture6.on_mouse_move = [this](int button, int shift, float x, float y) { Picture6_MouseMove(button, shift, x, y); };
    Picture6.on_mouse_up = [this](int button, int shift, float x, float y) { grip_MouseUp(button, shift, x, y); };
    Picture8.on_mouse_down = [this](int button, int shift, float x, float y) { Picture8_MouseDown(button, shift, x, y); };
    Picture8.on_mouse_move = [this](int button, int shift, float x, float y) { Picture8_MouseMove(button, shift, x, y); };
    Picture8.on_mouse_up = [this](int button, int shift, float x, float y) { grip_MouseUp(button, shift, x, y); };
    Timer8.on_timer = [this] { Timer8_Timer(); };
}

void frmTrans::Form_Load()
{
    m_is_maximised = false;
    IsSizing = false;
    LoadMe();
    for (auto& button : Picture11)
        runtime::skip_on_error([&] { ShapePictureBox(*button); });
    // The glass texture is the same file for every border: it is read once while it stays unchanged.
    auto& shared = program().module<runtime::SharedPictures>();
    runtime::skip_on_error([&] { Picture3.Picture(shared.load(program().App().Path() + "\\back.tpci")); });
    runtime::skip_on_error([&] { SetFormRegion(*this, 255, 9); });
    draw_outline();
    if (!globals(program()).ReflectionsOn) {
        for (int i = 0; i < 3; ++i)
            Picture11[i].Visible(m_caption_button_on[i]);
    }
    CheckWinProperties();
    runtime::skip_on_error([&] { Label1.ForeColor(program().form<frmSettings>().Picture3.BackColor()); });
}

void frmTrans::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // A close request from the window system (Alt+F4 while the caption has the focus) is meant for
    // the window the user sees: it is passed on to the target, whose program may ask its own
    // questions first; when the target goes, the watcher ends the border.
    if (UnloadMode != runtime::vbFormControlMenu || !is_hosting_target())
        return;
    Cancel = 1;
    PostMessageA(target(), WM_CLOSE, 0, 0);
}

void frmTrans::Form_Unload(int&)
{
    // However the border goes, the window it hosts is never destroyed with it.
    release_target();
}

void frmTrans::QuitMe()
{
    // No glow floats after its border has gone.
    Form1& glow = program().form<Form1>();
    glow.HideGlow();
    glow.Hide();
    FadeLevel = globals(program()).TransparencyPercent;
    Timer2.Enabled(true);
}

void frmTrans::LoadMe()
{
    FadeLevel = 100;
    Timer1.Enabled(true);
}

void frmTrans::SetMeFree()
{
    HWND hosted = target();
    RestoreBorder(hosted);
    if (m_hand_back.is_done && m_hand_back.is_shown && IsWindow(hosted) && !IsIconic(hosted))
        ActivateWindow(hosted);
    program().unload(*this);
}

void frmTrans::RestoreBorder(HWND& Hwnd)
{
    runtime::DoEvents();
    if (Hwnd == target())
        release_target();
}

void frmTrans::RefreshMe()
{
    Picture1_MouseMove(7, 0, 0, 0);
}

void frmTrans::SetWinProperties(bool xMinButton, bool xMaxButton, bool xCloseButton)
{
    if (xMinButton)
        m_caption_button_on[0] = true;
    if (xMaxButton)
        m_caption_button_on[1] = true;
    if (xCloseButton)
        m_caption_button_on[2] = true;
}

void frmTrans::MaxMe()
{
    Picture11_MouseUp(1, 1, 0, 1, 1);
}

void frmTrans::MinMe()
{
    Picture11_MouseUp(0, 1, 0, 1, 1);
}

void frmTrans::minimise()
{
    // The target, a child of the border, goes with it; the way back is the window manager.
    runtime::skip_on_error([&] { WindowState(runtime::vbMinimized); });
}

void frmTrans::maximise()
{
    runtime::skip_on_error([&] {
        m_saved = { static_cast<int>(runtime::round_half_even(Left())), static_cast<int>(runtime::round_half_even(Top())),
            static_cast<int>(runtime::round_half_even(Width())), static_cast<int>(runtime::round_half_even(Height())),
            static_cast<int>(runtime::round_half_even(Picture1.Height())) };
    });
    m_is_maximising = true;
    runtime::skip_on_error([&] { Picture1.Height(Picture11[0].Height()); });
    // The part of the screen the taskbar leaves free, wherever it is docked.
    RECT area = work_area();
    auto twips = [](LONG pixels) { return static_cast<float>(pixels) * runtime::TwipsPerPixel; };
    runtime::skip_on_error([&] {
        Top(twips(area.top));
        Left(twips(area.left));
        Height(twips(area.bottom - area.top));
        Width(twips(area.right - area.left));
    });
    float bar_bottom = Picture1.Top() + Picture1.Height();
    runtime::skip_on_error([&] { Picture10.Move(0, bar_bottom, Width(), std::max(0.0f, Height() - bar_bottom)); });
    fit_target_to_host();

    // A maximised border is a black bar with a grey line under it and square corners.
    runtime::skip_on_error([&] {
        Picture1.BackColor(0);
        for (auto* piece : { &Picture4, &Picture6, &Picture8 }) {
            piece->BackColor(0);
            piece->Picture({});
        }
        Label1.ForeColor(White);
        Cls();
        BackColor(0);
        Picture1.BackColor(BackColor());
        Picture17.Picture({});
        Picture17.BackColor(Picture1.BackColor());
        Picture1.Cls();
        Picture1.Picture({});
    });
    runtime::skip_on_error([&] {
        constexpr long Grey = 0x808080;
        float line = Picture1.Height() - runtime::TwipsPerPixel;
        Picture1.Line(0, line, Picture1.Width(), line, Grey);
        Line(0, bar_bottom - runtime::TwipsPerPixel, Picture1.Width(), bar_bottom - runtime::TwipsPerPixel, Grey);
    });
    runtime::skip_on_error([&] { SetFormRegion(*this, 255, 0); });
    ActivateWindow(target());
    runtime::skip_on_error([&] {
        Left(twips(area.left));
        Top(twips(area.top));
    });
    runtime::skip_on_error([&] {
        Picture11[2].Move(Width() - Picture11[2].Width(), 0);
        Picture11[1].Move(Picture11[2].Left() - Picture11[1].Width(), Picture11[2].Top());
        Picture11[0].Move(Picture11[1].Left() - Picture11[0].Width(), Picture11[1].Top());
    });
    ask_target_to_show(SW_MAXIMIZE);
    m_has_maximised_target = true;
    Picture11[1].Picture(Picture16[0].Picture());
    ShowIcon();
    m_is_maximised = true;
    m_is_maximising = false;
    use_button_set(Picture20);
    for (auto& button : Picture11)
        button->Visible(true);
}

RECT frmTrans::work_area() const
{
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(hWnd(), MONITOR_DEFAULTTOPRIMARY), &monitor))
        return monitor.rcWork;
    // Without an answer: the screen above a bottom taskbar.
    return RECT { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - static_cast<LONG>(GetTaskbarHeight()) };
}

void frmTrans::use_button_set(const runtime::ControlArray<runtime::PictureBox>& normal_set)
{
    for (int i = 0; i < 3; ++i) {
        Picture11[i].Picture(normal_set[i].Picture());
        Picture12[i].Picture(normal_set[i].Picture());
    }
}

void frmTrans::restore_from_maximised()
{
    m_is_restoring = true;
    m_is_maximised = false;
    runtime::skip_on_error([&] { SetFormRegion(*this, 255, 0); });
    Hide();
    BackColor(White);
    runtime::skip_on_error([&] { Label1.ForeColor(program().form<frmSettings>().Picture3.BackColor()); });
    runtime::skip_on_error([&] { Picture1.Height(static_cast<float>(m_saved.caption_height)); });
    Form_Resize();
    // Each size change lays the border out again, which rounds the corners and fits the target.
    runtime::skip_on_error([&] {
        Top(static_cast<float>(m_saved.top));
        Left(static_cast<float>(m_saved.left));
        Width(static_cast<float>(m_saved.width));
        Height(static_cast<float>(m_saved.height));
    });
    m_is_restoring = false;
    Picture11[1].Picture(Picture12[1].Picture());
    Show();
    Picture11[1].Picture(Picture13[1].Picture());
    CheckWinProperties();
    ActivateWindow(target());
    use_button_set(Picture21);
}

void frmTrans::Timer1_Timer()
{
    int transparency = globals(program()).TransparencyPercent;
    FadeLevel -= globals(program()).FadeInStep;
    if (FadeLevel > transparency) {
        SetTransparency(hWnd(), FadeLevel);
        return;
    }
    Timer1.Enabled(false);
    SetTransparency(hWnd(), transparency);
    Show();
}

void frmTrans::Timer2_Timer()
{
    Globals& g = globals(program());
    if (!fade_out_tick(*this, Timer2, FadeLevel, g.FadeOutStep))
        return;
    g.BorderCount -= 1;
    auto& manager = program().form<frmWinMgr>();
    if (int row = manager.row_with_handle(Label2.Caption()); row >= 0)
        manager.remove_row(row);
    g.GlowSuppressed = false;
    ResumeWebcamLoop(program());
    release_target();
    program().unload(*this);
}

void frmTrans::Timer5_Timer()
{
    HWND watched = target();
    std::string old = Label1.Caption();
    // A target that does not answer in time keeps the title it has; the title is read at the
    // length the adoption reads it, so that a long one does not count as changed.
    if (is_title_due(watched)
        && !runtime::skip_on_error([&] { Caption(GetControlText(watched).substr(0, LongestCaption)); }))
        m_answer_pause.note_no_answer(watched);
    Label1.Caption(Caption());
    // Only an explorer's border shows an address. The walk over the target's windows is the
    // watcher's dearest step: it is made for no other program.
    if (is_explorer_process() && !m_answer_pause.is_paused()) {
        bool is_read = runtime::skip_on_error([&] {
            std::string address = GetAddressText(program(), watched);
            Label7.Caption(FormatAddressPath(address));
            Text2.Text(text_after_first_blank(address));
        });
        if (!is_read)
            m_answer_pause.note_no_answer(watched);
    }

    // A target that is gone has no title: its row stays as it was until the fade-out ends.
    if (old != Label1.Caption() && Label1.Visible() && IsWindow(watched)) {
        if (m_is_maximised) {
            Label1.Caption(Caption());
            Label1.ForeColor(White);
        } else {
            Hide();
            Picture1.Cls();
            Picture1.Picture({});
            Form_Resize();
            auto& manager = program().form<frmWinMgr>();
            if (int row = manager.row_with_handle(Label2.Caption()); row >= 0) {
                manager.remove_row(row);
                manager.append_row(Label1.Caption(), Label2.Caption());
            }
            Show();
            runtime::skip_on_error([&] { Label1.ForeColor(program().form<frmSettings>().Picture3.BackColor()); });
        }
    }

    if (!IsWindowVisible(watched)) {
        // A program that merely hid its window (to the notification area, say) keeps it. It is
        // handed back before the watcher stops, so that at every moment in between an end of the
        // program still sees a target that hid itself.
        release_target();
        Timer5.Enabled(false);
        QuitMe();
    }
    runtime::DoEvents();
}

bool frmTrans::is_title_due(HWND watched)
{
    // The title Windows keeps for the target is read without a message to it. The target itself is
    // asked when that text changed, and once in a while for a program that reports a title of its
    // own: a message every tick to every adopted program kept them and the system busy for nothing.
    if (m_answer_pause.is_paused())
        return false;
    std::string kept = GetCaption(watched);
    DWORD now = GetTickCount();
    if (kept == m_kept_title && now - m_title_asked_at < TitleRecheckMs)
        return false;
    m_kept_title = kept;
    m_title_asked_at = now;
    return true;
}

runtime::Variant frmTrans::call_by_name(std::string_view name)
{
    if (name == "DeltaX")
        return DeltaX;
    if (name == "DeltaY")
        return DeltaY;
    if (name == "IsSizing")
        return IsSizing;
    if (name == "QuitMe") {
        QuitMe();
        return {};
    }
    if (name == "LoadMe") {
        LoadMe();
        return {};
    }
    if (name == "SetMeFree") {
        SetMeFree();
        return {};
    }
    if (name == "RefreshMe") {
        RefreshMe();
        return {};
    }
    return Form::call_by_name(name);
}

void frmTrans::let_by_name(std::string_view name, const runtime::Variant& value)
{
    if (name == "DeltaX") {
        DeltaX = value.to_long();
        return;
    }
    if (name == "DeltaY") {
        DeltaY = value.to_long();
        return;
    }
    if (name == "IsSizing") {
        IsSizing = value.to_bool();
        return;
    }
    Form::let_by_name(name, value);
}

HWND frmTrans::target() const
{
    return handle_from_text(Label2.Caption());
}

bool frmTrans::target_hid_itself() const
{
    // Until the watcher runs, the target is hidden by the adoption, not by its program.
    return Timer5.Enabled() && is_hosting_target() && !(GetWindowLongA(target(), GWL_STYLE) & WS_VISIBLE);
}

bool frmTrans::is_hosting_target() const
{
    HWND hosted = target();
    // The target has no child style, so its parent is asked for as its ancestor, not its owner.
    return hosted && IsWindow(hosted) && GetAncestor(hosted, GA_PARENT) == Picture10.hWnd();
}

void frmTrans::release_target()
{
    HWND hosted = target();
    if (!hosted || !IsWindow(hosted))
        return;
    if (!m_hand_back.has_begun) {
        if (!is_hosting_target())
            return;
        // Decided once, before anything changes: a give-back that a fault or an end of the program
        // interrupts is done again from its start, whatever the first attempt left the window as.
        HandBack decided;
        decided.is_shown = !target_hid_itself();
        decided.state = handed_back_state();
        decided.place = handed_back_place();
        decided.has_begun = true;
        m_hand_back = decided;
    }
    if (m_hand_back.is_done)
        return;
    // The style as saved, with the window's present visibility and without a state: the showing
    // below is what makes it visible, so that a window is never shown without being drawn, and
    // what gives it its state, so that it keeps its place as the one it is restored to.
    constexpr auto state_bits = static_cast<LONG>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    LONG visible = GetWindowLongA(hosted, GWL_STYLE) & static_cast<LONG>(WS_VISIBLE);
    SetWindowLongA(hosted, GWL_STYLE, (number_from_text(Label5.Caption()) & ~state_bits) | visible);
    SetWindowLongA(hosted, GWL_EXSTYLE, number_from_text(Label6.Caption()));
    SetParent(hosted, GetDesktopWindow());
    const RECT& place = m_hand_back.place;
    bool is_shown_normal = m_hand_back.is_shown && m_hand_back.state == SW_SHOWNORMAL;
    SetWindowPos(hosted, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // Showing through SetWindowPos neither moves nor sizes a window, so it comes second.
    if (is_shown_normal)
        SetWindowPos(hosted, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else if (m_hand_back.is_shown)
        ShowWindow(hosted, m_hand_back.state);
    confirm_handed_back_place();
    m_hand_back.is_done = true;
}

void frmTrans::confirm_handed_back_place()
{
    HWND hosted = target();
    RECT place {};
    if (!GetWindowRect(hosted, &place))
        return;
    SetWindowPos(hosted, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void frmTrans::remember_adopted_place(RECT restored)
{
    m_adopted_place = restored;
}

void frmTrans::remember_adopted_border()
{
    m_adopted_border = SavedGeometry { pixels_rounded(left_twips()), pixels_rounded(top_twips()),
        pixels_rounded(width_twips()), pixels_rounded(height_twips()), 0 };
}

RECT frmTrans::handed_back_place() const
{
    // The border's rectangle as the user left it, pixels: the one it had before a maximise.
    SavedGeometry border = m_is_maximised || m_is_maximising || m_is_restoring
        ? SavedGeometry { pixels_rounded(m_saved.left), pixels_rounded(m_saved.top), pixels_rounded(m_saved.width),
              pixels_rounded(m_saved.height), 0 }
        : SavedGeometry { pixels_rounded(left_twips()), pixels_rounded(top_twips()), pixels_rounded(width_twips()),
              pixels_rounded(height_twips()), 0 };
    if (!m_adopted_place)
        return RECT { border.left, border.top, border.left + border.width, border.top + border.height };
    RECT place = *m_adopted_place;
    if (!m_adopted_border || !m_is_adoption_finished)
        return place;
    int dx = border.left - m_adopted_border->left;
    int dy = border.top - m_adopted_border->top;
    int width = place.right - place.left + border.width - m_adopted_border->width;
    int height = place.bottom - place.top + border.height - m_adopted_border->height;
    return RECT { place.left + dx, place.top + dy, place.left + dx + std::max(width, 0), place.top + dy + std::max(height, 0) };
}

int frmTrans::handed_back_state() const
{
    if (!m_is_adoption_finished) {
        auto style = static_cast<DWORD>(number_from_text(Label5.Caption()));
        return style & WS_MINIMIZE ? SW_SHOWMINNOACTIVE : style & WS_MAXIMIZE ? SW_MAXIMIZE : SW_SHOWNORMAL;
    }
    HWND hosted = target();
    if (WindowState() == runtime::vbMinimized || IsIconic(hosted))
        return SW_SHOWMINNOACTIVE;
    bool is_maximised = (m_is_maximised && !m_is_restoring) || m_is_maximising;
    if (is_maximised || (IsZoomed(hosted) && !m_has_maximised_target))
        return SW_MAXIMIZE;
    return SW_SHOWNORMAL;
}
