#include "settings/modBlurWallpaper.h"

#include "services/modGlobal.h"
#include "services/modWallpaper.h"

#include <algorithm>
#include <cctype>

namespace {

bool is_same_path(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

}

std::string GeneratedWallpaperPath(runtime::Program& program)
{
    return program.App().Path() + "\\s1.dbg";
}

bool IsGeneratedWallpaperCurrent(runtime::Program& program)
{
    return is_same_path(GetWallpaperPath(), GeneratedWallpaperPath(program));
}

void RestoreOldWallpaper(runtime::Program& program)
{
    if (IsGeneratedWallpaperCurrent(program))
        SetWallpaper(globals(program).OldWallpaper);
}
