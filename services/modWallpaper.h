// modWallpaper: making a picture file the desktop wallpaper.
#pragma once

#include <string>

// Makes the bitmap file at Path the wallpaper, stores it in the user profile and tells every
// window. The path is read up to its first NUL character, so an empty one (or one that starts
// with NUL) removes the wallpaper. A file the system cannot show is its own affair; nothing is
// reported.
void SetWallpaper(const std::string& Path);
