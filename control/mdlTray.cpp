#include "control/mdlTray.h"

#include <algorithm>
#include <cstring>

namespace {

// The record in its first version: handle, identifier, flags, message, icon and a 64-character
// tip (88 bytes in the 32-bit program).
constexpr size_t FirstVersionTipLength = 64;

}

void AddTrayIcon(runtime::Program& program, HWND hWnd, const runtime::StdPicture& icon, const std::string& tip,
    UINT callback_message)
{
    NOTIFYICONDATAA& data = program.module<TrayIconState>().TrayIconData;
    data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hWnd;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callback_message;
    data.hIcon = icon.icon();
    // The tip ends at its zero character; the rest of the first version's field is blanks.
    std::memset(data.szTip, ' ', FirstVersionTipLength);
    size_t length = std::min(tip.size(), FirstVersionTipLength - 1);
    std::memcpy(data.szTip, tip.data(), length);
    data.szTip[length] = '\0';
    Shell_NotifyIconA(NIM_ADD, &data);
}

void RestoreTrayIcon(runtime::Program& program)
{
    NOTIFYICONDATAA& data = program.module<TrayIconState>().TrayIconData;
    if (data.cbSize == 0)
        return;
    Shell_NotifyIconA(NIM_ADD, &data);
}

void RemoveTrayIcon(runtime::Program& program)
{
    Shell_NotifyIconA(NIM_DELETE, &program.module<TrayIconState>().TrayIconData);
}
