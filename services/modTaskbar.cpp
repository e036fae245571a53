#include "services/modTaskbar.h"

#include "platform/win32.h"

namespace {

void set_taskbar_visibility(UINT show_flag)
{
    HWND taskbar = FindWindowA("Shell_TrayWnd", "");
    if (!taskbar)
        return;
    SetWindowPos(taskbar, nullptr, 0, 0, 0, 0, show_flag);
}

}

long GetTaskbarHeight()
{
    APPBARDATA bar {};
    bar.cbSize = sizeof bar;
    // On failure the record stays zeroed, which makes the height 0.
    SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    return bar.rc.bottom - bar.rc.top;
}

void HideTaskbar()
{
    set_taskbar_visibility(SWP_HIDEWINDOW);
}

void ShowTaskbar()
{
    set_taskbar_visibility(SWP_SHOWWINDOW);
}
