#include "platform/sim/user/timers.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace sim {

namespace {

using TimerKey = std::pair<HWND, UINT_PTR>;

struct Timer {
    uint32_t period = minimum_timer_period;
    TIMERPROC procedure = nullptr;
    uint64_t due = 0;
    // Timers due at the same moment fire in the order they were first set.
    uint64_t order = 0;
    uint32_t process_id = 0;
};

// The timers by window and id, and the same timers by when they fall due: finding the next one
// costs the same however many windows have timers.
struct Schedule {
    std::map<TimerKey, Timer> timers;
    std::set<std::tuple<uint64_t, uint64_t, TimerKey>> by_due;
    uint64_t next_order = 0;
    UINT_PTR next_thread_timer = 1;
};

Schedule g_schedule;

auto due_entry(const TimerKey& key, const Timer& timer)
{
    return std::make_tuple(timer.due, timer.order, key);
}

void set_due(const TimerKey& key, Timer& timer, uint64_t due)
{
    g_schedule.by_due.erase(due_entry(key, timer));
    timer.due = due;
    g_schedule.by_due.insert(due_entry(key, timer));
}

void erase_timer(std::map<TimerKey, Timer>::iterator it)
{
    g_schedule.by_due.erase(due_entry(it->first, it->second));
    g_schedule.timers.erase(it);
}

bool can_run(HWND hwnd, const Timer& timer)
{
    if (is_process_hung(timer.process_id))
        return false;
    return !hwnd || find_window(hwnd);
}

}

UINT_PTR set_timer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC procedure)
{
    if (hwnd && !find_window(hwnd))
        return 0;
    if (!hwnd)
        id = g_schedule.next_thread_timer++;
    uint32_t clamped = std::max<uint32_t>(period, minimum_timer_period);
    TimerKey key {hwnd, id};
    auto [it, is_new] = g_schedule.timers.try_emplace(key);
    Timer& timer = it->second;
    if (is_new) {
        timer.order = g_schedule.next_order++;
        timer.due = now_ms() + clamped;
        g_schedule.by_due.insert(due_entry(key, timer));
    }
    timer.period = clamped;
    timer.procedure = procedure;
    timer.process_id = hwnd ? find_window(hwnd)->process_id : current_process_id();
    set_due(key, timer, now_ms() + clamped);
    return hwnd && id == 0 ? 1 : id;
}

bool kill_timer(HWND hwnd, UINT_PTR id)
{
    auto it = g_schedule.timers.find(TimerKey {hwnd, id});
    if (it == g_schedule.timers.end())
        return false;
    erase_timer(it);
    return true;
}

void kill_window_timers(HWND hwnd)
{
    auto it = g_schedule.timers.lower_bound(TimerKey {hwnd, 0});
    while (it != g_schedule.timers.end() && it->first.first == hwnd)
        erase_timer(it++);
}

std::optional<MSG> take_due_timer(HWND filter, bool remove)
{
    uint64_t now = now_ms();
    for (auto& [due, order, key] : g_schedule.by_due) {
        if (due > now)
            break;
        Timer& timer = g_schedule.timers.at(key);
        if (!can_run(key.first, timer) || !matches_filter(key.first, filter))
            continue;
        MSG msg {};
        msg.hwnd = key.first;
        msg.message = WM_TIMER;
        msg.wParam = key.second;
        msg.lParam = reinterpret_cast<LPARAM>(timer.procedure);
        msg.time = static_cast<DWORD>(now);
        if (remove)
            set_due(TimerKey {key}, timer, now + timer.period);
        return msg;
    }
    return std::nullopt;
}

uint64_t next_timer_due()
{
    for (auto& [due, order, key] : g_schedule.by_due) {
        if (can_run(key.first, g_schedule.timers.at(key)))
            return due;
    }
    return std::numeric_limits<uint64_t>::max();
}

void reset_timers()
{
    g_schedule = Schedule {};
}

}
