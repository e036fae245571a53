// modTaskbar: the system taskbar's height, and hiding and showing it.
#pragma once

// The height in pixels of the taskbar's rectangle as the shell reports it (the screen height when
// it is docked at a side); 0 when there is no taskbar.
long GetTaskbarHeight();

// Hide or show the taskbar window, neither moved nor sized. Nothing happens without a taskbar.
void HideTaskbar();
void ShowTaskbar();
