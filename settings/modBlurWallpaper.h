// modBlurWallpaper: the generated wallpaper "\s1.dbg" whose taskbar strip is blurred, and putting
// the user's own wallpaper back.
#pragma once

#include "runtime/program.h"

#include <string>

// The generated wallpaper's path in the program folder.
std::string GeneratedWallpaperPath(runtime::Program& program);

// Whether the current wallpaper is the generated one.
bool IsGeneratedWallpaperCurrent(runtime::Program& program);

// Puts OldWallpaper back, only while the generated file is the wallpaper: a wallpaper the user
// chose meanwhile stays.
void RestoreOldWallpaper(runtime::Program& program);
