// frmTrans, layout: from the border's size, the places of its pieces and buffers, the host of the
// target, the frame line, the caption buttons, icon and texts; then a fresh capture of the screen
// under the border, the rounded region, the outline and one render pass with a zero delta.
#include "border/frmTrans.h"

#include "border/handle_text.h"
#include "services/modGetModul.h"
#include "services/modRegion.h"
#include "settings/frmSettings.h"

#include <algorithm>
#include <cctype>

namespace {

// Places a control. One move when every value is valid; otherwise each property is its own
// statement, so that only a refused (negative) size is skipped and the rest still lands.
void place(runtime::Control& control, float left, float top, float width, float height)
{
    if (width >= 0 && height >= 0) {
        runtime::skip_on_error([&] { control.Move(left, top, width, height); });
        return;
    }
    runtime::skip_on_error([&] { control.Move(left, top); });
    runtime::skip_on_error([&] { control.Width(width); });
    runtime::skip_on_error([&] { control.Height(height); });
}

// A buffer takes its piece's size.
void size_like(runtime::Control& buffer, const runtime::Control& piece)
{
    runtime::skip_on_error([&] { buffer.Height(piece.Height()); });
    runtime::skip_on_error([&] { buffer.Width(piece.Width()); });
}

bool is_blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}

void frmTrans::Form_Resize()
{
    if (m_is_maximised || IsSizing)
        return;
    place_pieces();
    place_caption_buttons();
    place_caption_contents();
    capture_screen();
    runtime::skip_on_error([&] { SetFormRegion(*this, 255, 9); });
    draw_outline();
    render_zero_delta_pass();
    fit_target_to_host();
}

void frmTrans::fit_target_to_host()
{
    runtime::skip_on_error([&] {
        SetWindowPos(target(), nullptr, 0, 0, runtime::CLng(runtime::twips_to_pixels(Picture10.width_twips())),
            runtime::CLng(runtime::twips_to_pixels(Picture10.height_twips())),
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    });
}

void frmTrans::ask_target_to_show(int command)
{
    ShowWindowAsync(target(), command);
}

void frmTrans::place_pieces()
{
    float width = Width();
    float height = Height();
    float edge = Picture4.Width();
    runtime::skip_on_error([&] { Picture6.Width(edge); });

    // The caption piece keeps its height; an explorer window with an address gets the tall bar.
    runtime::skip_on_error([&] { Picture1.Move(30, 30, width - 60, Picture1.Height()); });
    if (is_explorer_target() && !is_blank(Text2.Text()))
        runtime::skip_on_error([&] { Picture1.Height(935); });
    float caption = Picture1.Height();

    place(Picture4, 30, 30 + caption, edge, height - caption - edge - 60);
    size_like(Picture5, Picture4);
    place(Picture6, width - edge - 30, 30 + caption, edge, Picture4.Height());
    size_like(Picture7, Picture6);
    place(Picture8, Picture4.Left(), Picture4.Top() + Picture4.Height(), width - 60, edge);
    size_like(Picture9, Picture8);

    // The host starts one pixel inside the left piece and the caption and ends on the right piece.
    place(Picture10, Picture4.Left() + edge + 15, Picture1.Top() + caption + 15, Picture1.Width() - 2 * edge - 15,
        Picture4.Height() - 30);
    // The frame line lies one pixel outside the host on every side.
    place(Shape1, Picture4.Left() + edge, Picture1.Top() + caption, Picture10.Width() + 30, Picture10.Height() + 30);
}

void frmTrans::place_caption_buttons()
{
    // From right to left along the caption's top edge, the close button ending on the host's right edge.
    runtime::skip_on_error([&] {
        Picture11[2].Move(Picture10.Left() + Picture10.Width() - Picture11[2].Width(), 30);
        Picture11[1].Move(Picture11[2].Left() - Picture11[1].Width(), Picture11[2].Top());
        Picture11[0].Move(Picture11[1].Left() - Picture11[0].Width(), Picture11[1].Top());
    });
    if (Picture19.Visible())
        Picture19.Move(Picture11[1].Left(), Picture11[1].Top());
    // The hot zones lie on the caption piece, whose own origin is 30 twips inside the form.
    for (int i = 0; i < 3; ++i) {
        runtime::PictureBox& button = Picture11[i];
        runtime::skip_on_error([&] { Label4[i].Move(button.Left(), button.Top(), button.Width(), button.Height()); });
        Label4[i].Caption("");
    }
}

void frmTrans::place_caption_contents()
{
    float caption = Picture1.Height();
    runtime::skip_on_error([&] { Picture17.Top(caption / 2 - Picture17.Height() / 2); });
    bool is_explorer = is_explorer_target();
    if (is_explorer && !is_blank(Text2.Text())) {
        // The address bar's image begins 480 twips above the caption's bottom; icon and address sit on it.
        runtime::skip_on_error([&] {
            Label1.Top(caption / 2 - Label1.Height() / 2 - 120);
            Picture17.Left(1245);
            Picture17.Top(caption - 480 + 120);
            Text2.Left(Picture17.Left() + Picture17.Width() + 120);
            Text2.Top(Picture17.Top());
            Text2.Visible(false);
            Label7.Move(Text2.Left(), Text2.Top());
            Label7.Caption(Text2.Text());
            Label7.Visible(true);
        });
        return;
    }
    if (is_explorer)
        return;
    runtime::skip_on_error([&] {
        Label1.Top(caption / 2 - Label1.Height() / 2);
        Picture17.Top(caption / 2 - Picture17.Height() / 2);
    });
}

bool frmTrans::is_explorer_target()
{
    bool is_ticked = false;
    runtime::skip_on_error([&] { is_ticked = program().form<frmSettings>().Check13.Value() == runtime::vbChecked; });
    return is_explorer_process() && is_ticked;
}

bool frmTrans::is_explorer_process()
{
    // A process keeps its executable: it is looked up once for the process id the border holds.
    if (m_explorer_checked_for == Label3.Caption())
        return m_is_explorer_process;
    std::string path = GetProcessFileName(static_cast<DWORD>(number_from_text(Label3.Caption())));
    size_t last_backslash = path.find_last_of('\\');
    std::string name = last_backslash == std::string::npos ? path : path.substr(last_backslash + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    m_explorer_checked_for = Label3.Caption();
    m_is_explorer_process = name == "EXPLORER.EXE";
    return m_is_explorer_process;
}

void frmTrans::capture_screen()
{
    runtime::skip_on_error([&] { Picture2.Move(0, 0, Width(), Height()); });
    DesktopWnd = GetDesktopWindow();
    DesktopDC = GetDC(DesktopWnd);
    // Border windows are layered, so the screen's context shows what lies under this one.
    BitBlt(Picture2.hDC(), 0, 0, runtime::twips_to_pixels_int(Width()), runtime::twips_to_pixels_int(Height()), DesktopDC,
        runtime::twips_to_pixels_int(Left()), runtime::twips_to_pixels_int(Top()), SRCCOPY);
    ReleaseDC(DesktopWnd, DesktopDC);
    DesktopDC = nullptr;
}

void frmTrans::render_zero_delta_pass()
{
    // A drag in progress keeps its own reference point: a layout in the middle of it (a new title)
    // must not throw the border away from the pointer.
    float drag_x = DragX;
    float drag_y = DragY;
    DragX = Left();
    DragY = Top();
    Picture1_MouseMove(runtime::vbLeftButton, 0, Left(), Top());
    DragX = drag_x;
    DragY = drag_y;
}
