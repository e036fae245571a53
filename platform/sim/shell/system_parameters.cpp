// SystemParametersInfoA: the wallpaper, kept in step with the user profile, and the work area.
#include "platform/api/shell.h"

#include "platform/api/user.h"
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>

namespace {

constexpr const char* desktop_key = "Control Panel\\Desktop";

BOOL set_desk_wallpaper(const char* path, UINT flags)
{
    std::string wallpaper = path ? path : "";
    if (!sim::set_wallpaper(wallpaper))
        return sim::fail(ERROR_FILE_NOT_FOUND, FALSE);
    if (flags & SPIF_UPDATEINIFILE)
        sim::set_string_value(HKEY_CURRENT_USER, desktop_key, "Wallpaper", wallpaper);
    if (flags & SPIF_SENDWININICHANGE) {
        static const char section[] = "Control Panel\\Desktop";
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER,
            reinterpret_cast<LPARAM>(section), SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    return TRUE;
}

BOOL get_desk_wallpaper(UINT size, char* buffer)
{
    if (!buffer || size == 0)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    std::string path = sim::wallpaper_path();
    size_t count = std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), count);
    buffer[count] = '\0';
    return TRUE;
}

BOOL get_work_area(RECT* area)
{
    if (!area)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    *area = sim::work_area();
    return TRUE;
}

}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    sim::ApiCall api_call;
    switch (uiAction) {
    case SPI_SETDESKWALLPAPER:
        return set_desk_wallpaper(static_cast<const char*>(pvParam), fWinIni);
    case SPI_GETDESKWALLPAPER:
        return get_desk_wallpaper(uiParam, static_cast<char*>(pvParam));
    case SPI_GETWORKAREA:
        return get_work_area(static_cast<RECT*>(pvParam));
    default:
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    }
}
