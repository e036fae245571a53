#include "app/kelmor_sim/freeze_text.h"

#include "platform/sim/user/process_table.h"
#include "platform/win32.h"

#include <cstdio>
#include <utility>

namespace kelmor_sim {

std::string message_name(UINT message)
{
    static const std::pair<UINT, const char*> names[] = { { WM_SETTEXT, "WM_SETTEXT" }, { WM_GETTEXT, "WM_GETTEXT" },
        { WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH" }, { WM_CLOSE, "WM_CLOSE" }, { WM_SHOWWINDOW, "WM_SHOWWINDOW" },
        { WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING" }, { WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED" },
        { WM_STYLECHANGING, "WM_STYLECHANGING" }, { WM_STYLECHANGED, "WM_STYLECHANGED" }, { WM_GETICON, "WM_GETICON" },
        { WM_SYSCOMMAND, "WM_SYSCOMMAND" }, { WM_SIZE, "WM_SIZE" }, { WM_MOVE, "WM_MOVE" } };
    for (auto& [number, name] : names) {
        if (number == message)
            return name;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

std::string freeze_text(const sim::Freeze& freeze)
{
    return message_name(freeze.message) + " to " + std::to_string(reinterpret_cast<uintptr_t>(freeze.target)) + " ("
        + sim::process_executable(freeze.target_process) + ") at " + std::to_string(freeze.time_ms) + " ms";
}

std::vector<sim::Freeze> kelmor_freezes()
{
    std::vector<sim::Freeze> found;
    for (auto& freeze : sim::driver::freezes()) {
        if (freeze.sender_process == sim::driver::program_process())
            found.push_back(freeze);
    }
    return found;
}

}
