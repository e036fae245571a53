// The notification area: the icons programs add with Shell_NotifyIconA, shown at the right end
// of the taskbar, and the mouse messages they pass on to their owners.
#pragma once

#include "platform/api/types.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct TrayIcon {
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callback_message = 0;
    HICON icon = nullptr;
    std::string tip;
};

// The icons in the order they were added.
const std::vector<TrayIcon>& tray_icons();

// Where icon `index` sits in the taskbar's client area, and which icon lies under a point of it.
RECT tray_icon_rect(size_t index, int taskbar_width, int taskbar_height);
std::optional<size_t> tray_icon_at(POINT client_point, int taskbar_width, int taskbar_height);

// Tells the icon's owner about a mouse message over the icon, as the shell does: the icon's
// callback message is posted with the icon's identifier and the mouse message. Returns false when
// the icon has no callback message or its owner is gone.
bool send_tray_mouse_message(size_t index, UINT mouse_message);

void reset_notification_area();

}
