#include "services/CtlTranz1.h"

#include "runtime/form.h"
#include "runtime/numeric.h"
#include "runtime/timer.h"
#include "runtime/statements.h"

#include <optional>

namespace {

// The alpha byte of a transparency in percent; none when the percent lies outside 0 to 100.
std::optional<BYTE> alpha_of(long percent)
{
    double alpha = runtime::round_half_even((1 - percent / 100.0) * 255);
    if (alpha < 0 || alpha > 255)
        return std::nullopt;
    return static_cast<BYTE>(alpha);
}

}

void SetTransparency(HWND hWnd, long Percent)
{
    runtime::DoEvents();
    LONG ex_style = GetWindowLongA(hWnd, GWL_EXSTYLE);
    SetWindowLongA(hWnd, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    std::optional<BYTE> alpha = alpha_of(Percent);
    if (!alpha)
        return;
    SetLayeredWindowAttributes(hWnd, 0, *alpha, LWA_ALPHA);
}

void ClearWindowStyle(HWND hWnd)
{
    runtime::DoEvents();
    SetWindowLongA(hWnd, GWL_STYLE, 0);
    RecalculateFrame(hWnd);
}

void RecalculateFrame(HWND hWnd)
{
    // Windows keeps a window's frame as its style was until it is told to work it out again.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool fade_out_tick(runtime::Form& form, runtime::Timer& timer, int& level, int step)
{
    level += step;
    if (level < 100) {
        SetTransparency(form.hWnd(), level);
        return false;
    }
    timer.Enabled(false);
    SetTransparency(form.hWnd(), 100);
    form.Hide();
    return true;
}
