// The desktop wallpaper: its path, its picture, and how the desktop shows it.
#pragma once

#include "platform/api/types.h"

#include <string>

namespace sim {

// The wallpaper's path as it was set; empty for none.
std::string wallpaper_path();
// Whether the wallpaper's file could be read as a picture.
bool has_wallpaper_picture();

// Fills `area` of a desktop-sized surface (client coordinates = screen coordinates) with the
// wallpaper stretched over the screen, or with the desktop colour when there is none.
void paint_desktop_background(HDC dc, const RECT& area);

// Sets the wallpaper; false, with nothing changed, when the file cannot be read as a picture.
// An empty path removes the wallpaper.
bool set_wallpaper(const std::string& path);

void reset_wallpaper();

}
