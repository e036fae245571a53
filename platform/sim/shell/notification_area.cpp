#include "platform/sim/shell/notification_area.h"

#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {

constexpr int icon_size = 16;
constexpr int icon_spacing = 22;
constexpr int right_margin = 8;

std::vector<TrayIcon>& icons()
{
    static std::vector<TrayIcon> list;
    return list;
}

std::vector<TrayIcon>::iterator find_icon(HWND owner, UINT id)
{
    return std::find_if(icons().begin(), icons().end(),
        [&](const TrayIcon& icon) { return icon.owner == owner && icon.id == id; });
}

// The first version of the record carries a 64-character tip; later ones 128.
size_t tip_capacity(DWORD record_size)
{
    if (record_size >= sizeof(NOTIFYICONDATAA))
        return sizeof(NOTIFYICONDATAA::szTip);
    return 64;
}

void apply(TrayIcon& icon, const NOTIFYICONDATAA& data)
{
    if (data.uFlags & NIF_MESSAGE)
        icon.callback_message = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON)
        icon.icon = data.hIcon;
    if (data.uFlags & NIF_TIP)
        icon.tip = std::string(data.szTip, strnlen(data.szTip, tip_capacity(data.cbSize)));
    icon.flags |= data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void repaint_taskbar()
{
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
        InvalidateRect(taskbar, nullptr, TRUE);
}

}

const std::vector<TrayIcon>& tray_icons()
{
    return icons();
}

RECT tray_icon_rect(size_t index, int taskbar_width, int taskbar_height)
{
    int count = static_cast<int>(icons().size());
    int left = taskbar_width - right_margin - (count - static_cast<int>(index)) * icon_spacing;
    int top = (taskbar_height - icon_size) / 2;
    return { left, top, left + icon_size, top + icon_size };
}

std::optional<size_t> tray_icon_at(POINT point, int taskbar_width, int taskbar_height)
{
    for (size_t i = 0; i < icons().size(); ++i) {
        RECT rect = tray_icon_rect(i, taskbar_width, taskbar_height);
        if (point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom)
            return i;
    }
    return std::nullopt;
}

bool send_tray_mouse_message(size_t index, UINT mouse_message)
{
    if (index >= icons().size())
        return false;
    const auto& icon = icons()[index];
    if (!(icon.flags & NIF_MESSAGE) || !IsWindow(icon.owner))
        return false;
    return PostMessageA(icon.owner, icon.callback_message, icon.id, static_cast<LPARAM>(mouse_message)) != FALSE;
}

void reset_notification_area()
{
    icons().clear();
}

}

BOOL WINAPI Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData)
{
    sim::ApiCall api_call;
    if (!lpData || lpData->cbSize < NOTIFYICONDATAA_V1_SIZE)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    auto existing = sim::find_icon(lpData->hWnd, lpData->uID);
    bool is_known = existing != sim::icons().end();
    switch (dwMessage) {
    case NIM_ADD: {
        if (is_known || !IsWindow(lpData->hWnd))
            return FALSE;
        sim::TrayIcon icon;
        icon.owner = lpData->hWnd;
        icon.id = lpData->uID;
        sim::apply(icon, *lpData);
        sim::icons().push_back(std::move(icon));
        break;
    }
    case NIM_MODIFY:
        if (!is_known)
            return FALSE;
        sim::apply(*existing, *lpData);
        break;
    case NIM_DELETE:
        if (!is_known)
            return FALSE;
        sim::icons().erase(existing);
        break;
    default:
        return FALSE;
    }
    sim::repaint_taskbar();
    return TRUE;
}
