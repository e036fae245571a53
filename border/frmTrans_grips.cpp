// frmTrans, resize grips: the right piece, the bottom piece and the bottom piece's right end as
// the corner. While a grip is dragged only the border's size, region and outline follow the
// pointer; the full layout with fresh glass runs once on release.
#include "border/frmTrans.h"

#include "services/modRegion.h"

#include <algorithm>

namespace {

constexpr int PointerSizeNS = 7;
constexpr int PointerSizeNWSE = 8;
constexpr int PointerSizeWE = 9;
// Room beside the three caption buttons a border always keeps (twips).
constexpr float ButtonsMargin = 240;

bool is_any_button_down()
{
    for (int key : { VK_LBUTTON, VK_RBUTTON, VK_MBUTTON }) {
        if (GetAsyncKeyState(key) & 0x8000)
            return true;
    }
    return false;
}

}

void frmTrans::set_grip_pointers()
{
    Picture6.MousePointer(PointerSizeWE);
    Picture8.MousePointer(PointerSizeNS);
}

bool frmTrans::is_on_corner(float X) const
{
    return X >= Picture8.Width() - Picture6.Width();
}

void frmTrans::Picture6_MouseDown(int, int, float, float)
{
    ResizeV = false;
    ResizeH = true;
    ResizeHV = false;
    Timer3.Enabled(true);
}

void frmTrans::Picture8_MouseDown(int, int, float X, float)
{
    if (is_on_corner(X)) {
        Picture8.MousePointer(PointerSizeNWSE);
        ResizeHV = true;
    } else {
        Picture8.MousePointer(PointerSizeNS);
        ResizeV = true;
    }
    Timer3.Enabled(true);
}

void frmTrans::Picture6_MouseMove(int Button, int, float, float)
{
    if (Button != runtime::vbLeftButton)
        return;
    IsSizing = true;
    DoResize();
}

void frmTrans::Picture8_MouseMove(int Button, int Shift, float X, float Y)
{
    Picture8.MousePointer(is_on_corner(X) ? PointerSizeNWSE : PointerSizeNS);
    Picture6_MouseMove(Button, Shift, X, Y);
}

void frmTrans::grip_MouseUp(int, int, float, float)
{
    ResizeV = false;
    ResizeH = false;
    ResizeHV = false;
    Timer3.Enabled(false);
    IsSizing = false;
    Hide();
    Form_Resize();
    Show();
}

float frmTrans::minimum_width() const
{
    return Picture11[0].Width() + Picture11[1].Width() + Picture11[2].Width() + ButtonsMargin;
}

float frmTrans::minimum_height() const
{
    // The caption, the bottom piece and the margins above and below them.
    return 2 * Picture1.Top() + Picture1.Height() + Picture8.Height();
}

void frmTrans::DoResize()
{
    POINT cursor {};
    GetCursorPos(&cursor);
    float x = static_cast<float>(cursor.x) * runtime::TwipsPerPixel;
    float y = static_cast<float>(cursor.y) * runtime::TwipsPerPixel;
    // Clamped on every step, the last included: a border always keeps its buttons and its caption.
    runtime::skip_on_error([&] {
        if (ResizeH || ResizeHV)
            Width(std::max(minimum_width(), x - Left()));
        if (ResizeV || ResizeHV)
            Height(std::max(minimum_height(), y - Top()));
    });
    runtime::skip_on_error([&] { SetFormRegion(*this, 255, 9); });
    draw_outline();
}

void frmTrans::Timer3_Timer()
{
    // A drag whose mouse-up never came (the capture was taken away) ends once no button is down.
    if (!is_any_button_down()) {
        grip_MouseUp(0, 0, 0, 0);
        return;
    }
    Form_Resize();
    if (Picture19.Visible())
        Picture19.Move(Picture11[1].Left(), Picture11[1].Top());
    Refresh();
}
