#include "platform/sim/desktop.h"

#include "platform/sim/handle_table.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/modal_script.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/system_icons.h"
#include "platform/sim/user/timers.h"
#include "platform/sim/user/window_class.h"
#include "platform/sim/user/window_tree.h"

#include <vector>

namespace sim {

namespace {

constexpr SIZE default_screen {1920, 1080};

uint64_t g_clock_us = 0;
SIZE g_screen = default_screen;
bool g_is_resetting = false;
bool g_is_made = false;

std::vector<std::function<void()>>& reset_hooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

}

void reset_desktop()
{
    if (g_is_resetting)
        return;
    g_is_resetting = true;
    g_is_made = true;
    reset_message_queue();
    reset_timers();
    reset_input_state();
    reset_modal_script();
    reset_system_icons();
    handles().clear();
    g_clock_us = 0;
    g_screen = default_screen;
    reset_processes();
    reset_process_faults();
    reset_window_classes();
    reset_window_tree();
    g_is_resetting = false;
    for (auto& hook : reset_hooks())
        hook();
}

void ensure_desktop()
{
    if (!g_is_made)
        reset_desktop();
}

void on_reset(std::function<void()> reset)
{
    reset_hooks().push_back(std::move(reset));
}

uint64_t now_ms()
{
    ensure_desktop();
    return g_clock_us / 1000;
}

void let_time_pass(uint64_t milliseconds)
{
    let_microseconds_pass(milliseconds * 1000);
}

void let_microseconds_pass(uint64_t microseconds)
{
    ensure_desktop();
    g_clock_us += microseconds;
}

SIZE screen_size()
{
    return g_screen;
}

void set_screen_size(int width, int height)
{
    g_screen = SIZE {width, height};
    Window& desktop = desktop_window();
    desktop.rect = RECT {0, 0, width, height};
    desktop.normal_rect = desktop.rect;
    Bitmap wallpaper(width, height);
    wallpaper.fill(0xFF3A6EA5);
    *desktop.surface = std::move(wallpaper);
    invalidate(desktop, nullptr, true);
    // Every top-level window hears of the new resolution, as on Windows.
    auto top_level = desktop.children;
    for (HWND hwnd : top_level)
        SendMessageA(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
}

}
