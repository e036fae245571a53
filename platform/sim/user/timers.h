// Window and thread timers on the virtual clock, with Windows' minimum period of 10 ms.
#pragma once

#include "platform/api/user.h"

#include <cstdint>
#include <optional>

namespace sim {

constexpr uint32_t minimum_timer_period = 10;

UINT_PTR set_timer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC procedure);
bool kill_timer(HWND hwnd, UINT_PTR id);
void kill_window_timers(HWND hwnd);

// A WM_TIMER for the first timer that is due now and passes the filter. Taking it (remove) starts
// the timer's next period from now, so a timer that fell behind fires once, not once per period.
std::optional<MSG> take_due_timer(HWND filter, bool remove);
// When the next timer falls due; UINT64_MAX when there is none.
uint64_t next_timer_due();
void reset_timers();

}
