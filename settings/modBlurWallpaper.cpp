#include "settings/modBlurWallpaper.h"

#include "services/modGlobal.h"
#include "services/modWallpaper.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

// Paths compare as Windows compares them: without regard to case, up to a closing NUL that a
// registry text may carry.
bool is_same_path(std::string_view a, std::string_view b)
{
    a = a.substr(0, a.find('\0'));
    b = b.substr(0, b.find('\0'));
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
