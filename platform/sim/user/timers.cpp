#include "platform/sim/user/timers.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace sim {

namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    uint32_t period = minimum_timer_period;
    TIMERPROC procedure = nullptr;
    uint64_t due = 0;
    uint32_t process_id = 0;
};

std::vector<Timer> g_timers;
UINT_PTR g_next_thread_timer = 1;

auto find_timer(HWND hwnd, UINT_PTR id)
{
    return std::find_if(g_timers.begin(), g_timers.end(), [&](const Timer& timer) {
        return timer.hwnd == hwnd && timer.id == id;
    });
}

bool can_run(const Timer& timer)
{
    if (is_process_hung(timer.process_id))
        return false;
    return !timer.hwnd || find_window(timer.hwnd);
}

}

UINT_PTR set_timer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC procedure)
{
    if (hwnd && !find_window(hwnd))
        return 0;
    if (!hwnd)
        id = g_next_thread_timer++;
    uint32_t clamped = std::max<uint32_t>(period, minimum_timer_period);
    auto it = find_timer(hwnd, id);
    if (it == g_timers.end()) {
        g_timers.push_back(Timer {});
        it = g_timers.end() - 1;
    }
    it->hwnd = hwnd;
    it->id = id;
    it->period = clamped;
    it->procedure = procedure;
    it->due = now_ms() + clamped;
    it->process_id = hwnd ? find_window(hwnd)->process_id : current_process_id();
    return hwnd && id == 0 ? 1 : id;
}

bool kill_timer(HWND hwnd, UINT_PTR id)
{
    auto it = find_timer(hwnd, id);
    if (it == g_timers.end())
        return false;
    g_timers.erase(it);
    return true;
}

void kill_window_timers(HWND hwnd)
{
    std::erase_if(g_timers, [&](const Timer& timer) { return timer.hwnd == hwnd; });
}

std::optional<MSG> take_due_timer(HWND filter, bool remove)
{
    uint64_t now = now_ms();
    Timer* earliest = nullptr;
    for (auto& timer : g_timers) {
        if (timer.due > now || !can_run(timer) || !matches_filter(timer.hwnd, filter))
            continue;
        if (!earliest || timer.due < earliest->due)
            earliest = &timer;
    }
    if (!earliest)
        return std::nullopt;
    MSG msg {};
    msg.hwnd = earliest->hwnd;
    msg.message = WM_TIMER;
    msg.wParam = earliest->id;
    msg.lParam = reinterpret_cast<LPARAM>(earliest->procedure);
    msg.time = static_cast<DWORD>(now);
    if (remove)
        earliest->due = now + earliest->period;
    return msg;
}

uint64_t next_timer_due()
{
    uint64_t next = std::numeric_limits<uint64_t>::max();
    for (auto& timer : g_timers)
        if (can_run(timer))
            next = std::min(next, timer.due);
    return next;
}

void reset_timers()
{
    g_timers.clear();
    g_next_thread_timer = 1;
}

}
