// frmTrans, outline, caption halo and window icon: the rounded three-colour outline of the form,
// the halo prints of the title into the caption's glass, and the target's icon on the caption.
#include "border/frmTrans.h"

#include "services/window_answers.h"
#include "settings/frmSettings.h"

namespace {

constexpr int CornerEllipse = 9;

HICON class_icon(HWND window, int index)
{
    return reinterpret_cast<HICON>(static_cast<uintptr_t>(GetClassLongA(window, index)));
}

}

void frmTrans::DrawBorder(long Aussen_Color, long Innen_Color, long BiDir_Color)
{
    // Three rounded outlines drawn with the form's pen and no fill: inner, then the light along the
    // bottom and right (its top left lies outside the form), then the outer one over both.
    int width = static_cast<int>(ScaleWidth());
    int height = static_cast<int>(ScaleHeight());
    ForeColor(Innen_Color);
    RoundRect(hDC(), 1, 1, width - 1, height - 1, CornerEllipse, CornerEllipse);
    ForeColor(BiDir_Color);
    RoundRect(hDC(), -CornerEllipse, -CornerEllipse, width - 1, height - 1, CornerEllipse, CornerEllipse);
    ForeColor(Aussen_Color);
    RoundRect(hDC(), 0, 0, width, height, CornerEllipse, CornerEllipse);
    ForeColor(0);
    Refresh();
}

void frmTrans::CopyCaption(int plusLeft, int plusTop, long)
{
    if (!Label1.Visible())
        return;
    const runtime::StdFont& font = Label1.Font();
    Picture1.Font(font);
    Picture1.CurrentX(Label1.Left() + static_cast<float>(plusLeft));
    Picture1.CurrentY(Label1.Top() + static_cast<float>(plusTop));
    const frmSettings& settings = program().form<frmSettings>();
    Picture1.ForeColor(settings.Picture9.BackColor());
    Picture1.Print(Label1.Caption());
    Picture1.ForeColor(settings.Picture3.BackColor());
}

HICON frmTrans::ask_for_icon(HWND window, UINT message, WPARAM kind)
{
    if (m_answer_pause.is_paused())
        return nullptr;
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, message, kind, 0, SMTO_ABORTIFHUNG, AnswerLimitMs, &answer))
        return reinterpret_cast<HICON>(answer);
    if (GetLastError() == ERROR_TIMEOUT)
        m_answer_pause.note_no_answer(window);
    return nullptr;
}

HICON frmTrans::GetIcons(HWND Hwnd)
{
    // The window's small icon, its class's small icon, its big icon, its class's icon, its drag icon.
    HICON icon = ask_for_icon(Hwnd, WM_GETICON, ICON_SMALL);
    if (!icon)
        icon = class_icon(Hwnd, GCL_HICONSM);
    if (!icon)
        icon = ask_for_icon(Hwnd, WM_GETICON, ICON_BIG);
    if (!icon)
        icon = class_icon(Hwnd, GCL_HICON);
    if (!icon)
        icon = ask_for_icon(Hwnd, WM_QUERYDRAGICON, 0);
    return icon;
}

void frmTrans::DrawIcon(HDC hdc, HWND Hwnd, int x, int y)
{
    HICON icon = GetIcons(Hwnd);
    // Without an icon the caption text takes the icon's place.
    if (!icon) {
        Label1.Left(Picture17.Left());
        Picture17.Visible(false);
    } else {
        Label1.Left(Picture17.Left() + Picture17.Width() + 120);
        Picture17.Visible(true);
    }
    DrawIconEx(hdc, x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

void frmTrans::GetIcon(runtime::PictureBox& picture, HWND ihWnd)
{
    DrawIcon(picture.hDC(), ihWnd, 0, 0);
}

void frmTrans::ShowIcon()
{
    // The icon box's background is the part of the caption under it, so the icon sits on the glass.
    runtime::skip_on_error([&] {
        Picture17.AutoSize(false);
        bool is_live_reflection = program().form<frmSettings>().Check15.Value() == runtime::vbChecked;
        Picture17.Picture(is_live_reflection ? Picture1.Picture() : Picture1.Image());
    });
    runtime::skip_on_error([&] {
        BitBlt(Picture17.hDC(), 0, 0, runtime::CLng(runtime::twips_to_pixels(Picture17.width_twips())),
            runtime::CLng(runtime::twips_to_pixels(Picture17.height_twips())), Picture1.hDC(),
            runtime::CLng(runtime::twips_to_pixels(Picture17.left_twips())),
            runtime::CLng(runtime::twips_to_pixels(Picture17.top_twips())), SRCCOPY);
    });
    runtime::skip_on_error([&] { GetIcon(Picture17, target()); });
}
