// mdlTray: the program's one icon in the notification area.
#pragma once

#include "platform/win32.h"
#include "runtime/picture.h"
#include "runtime/program.h"

#include <string>

// The icon's record as the shell was given it, kept to delete the icon again. One per program.
struct TrayIconState {
    NOTIFYICONDATAA TrayIconData {};
};

// Adds the icon: its callbacks come to the window as the callback message, the tip shows text.
void AddTrayIcon(runtime::Program& program, HWND hWnd, const runtime::StdPicture& icon, const std::string& tip,
    UINT callback_message);

// Adds the icon once more with the record AddTrayIcon filled, for a notification area that was made
// anew (the shell restarted); nothing when no icon was ever added.
void RestoreTrayIcon(runtime::Program& program);

// Deletes the icon that AddTrayIcon added.
void RemoveTrayIcon(runtime::Program& program);
