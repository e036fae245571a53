#include "platform/sim/user/message_queue.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/freezes.h"
#include "platform/sim/user/input.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/painting.h"
#include "platform/sim/user/posted_window_requests.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/timers.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>

namespace sim {

namespace {

std::deque<MSG> g_posted;

// An input message with the keys as they were when its event happened.
struct QueuedInput {
    MSG msg {};
    BYTE keys[256] {};
};
std::deque<QueuedInput> g_input;
std::map<uint32_t, int> g_quit_codes;

// A message sent to a hung window, waiting until its process answers again; text it carries is
// kept here.
struct UnansweredSend {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    std::string text;
};
std::deque<UnansweredSend> g_unanswered;

// What one empty PeekMessage costs on Windows, in microseconds.
constexpr uint64_t empty_poll_cost_us = 5;
// How long a GetMessage that finds nothing, and no timer to wait for, waits before it wakes.
constexpr uint64_t idle_wait_ms = 1;
// The buffer a late WM_GETTEXT writes into, whose text nobody reads any more.
constexpr WPARAM longest_kept_answer = 65536;

bool carries_pointer(UINT message)
{
    switch (message) {
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
        return true;
    default:
        return false;
    }
}

// Delivers the kept sends of processes that answer again, in the order they were sent.
void deliver_answered_sends()
{
    for (auto it = g_unanswered.begin(); it != g_unanswered.end();) {
        Window* window = find_window(it->hwnd);
        if (window && is_process_hung(window->process_id)) {
            ++it;
            continue;
        }
        UnansweredSend send = std::move(*it);
        it = g_unanswered.erase(it);
        if (!window)
            continue;
        std::string answer;
        if (send.message == WM_SETTEXT)
            send.lparam = reinterpret_cast<LPARAM>(send.text.c_str());
        if (send.message == WM_GETTEXT) {
            send.wparam = std::min<WPARAM>(send.wparam, longest_kept_answer);
            answer.assign(send.wparam, '\0');
            send.lparam = reinterpret_cast<LPARAM>(answer.data());
        }
        deliver(send.hwnd, send.message, send.wparam, send.lparam);
        // The delivery may have changed the list; start over.
        it = g_unanswered.begin();
    }
}

// A loop that never ends its work would otherwise keep the driver forever.
constexpr int pump_limit = 200000;

bool in_range(UINT message, UINT first, UINT last)
{
    if (first == 0 && last == 0)
        return true;
    return message >= first && message <= last;
}

// Past the deadline only timers wait; everything else is still delivered.
bool take_message_before(MSG& msg, uint64_t deadline)
{
    if (now_ms() <= deadline)
        return take_message(msg, nullptr, 0, 0, true);
    return take_message(msg, nullptr, 0, WM_TIMER - 1, true)
        || take_message(msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, true);
}

bool can_receive(HWND hwnd)
{
    if (!hwnd)
        return true;
    Window* window = find_window(hwnd);
    return window && !is_process_hung(window->process_id);
}

MSG message_now(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    MSG msg {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = static_cast<DWORD>(now_ms());
    msg.pt = cursor_position();
    return msg;
}

bool is_mouse_move(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

bool take_input(MSG& msg, HWND filter, UINT first, UINT last, bool remove)
{
    for (auto it = g_input.begin(); it != g_input.end(); ++it) {
        if (!can_receive(it->msg.hwnd) || !matches_filter(it->msg.hwnd, filter))
            continue;
        MSG taken = it->msg;
        bool is_double = completes_double_click(taken);
        if (is_double)
            taken.message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (!in_range(taken.message, first, last))
            continue;
        msg = taken;
        if (!remove)
            return true;
        note_press_taken(it->msg, is_double);
        std::copy(std::begin(it->keys), std::end(it->keys), input_state().keys_of_taken_input);
        g_input.erase(it);
        return true;
    }
    return false;
}

}

LRESULT deliver(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* window = find_window(hwnd);
    if (!window || !window->procedure)
        return 0;
    // A hung process runs none of its code; its sender would wait for it.
    if (is_process_hung(window->process_id)) {
        note_unanswered_send(hwnd, window->process_id, message);
        return 0;
    }
    WNDPROC procedure = window->procedure;
    ProcessScope scope(window->process_id);
    return procedure(hwnd, message, wparam, lparam);
}

void keep_unanswered_send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (carries_pointer(message))
        return;
    UnansweredSend send {hwnd, message, wparam, lparam, {}};
    if (message == WM_SETTEXT && lparam)
        send.text = reinterpret_cast<const char*>(lparam);
    if (message == WM_SETTEXT || message == WM_GETTEXT)
        send.lparam = 0;
    g_unanswered.push_back(std::move(send));
}

void post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    g_posted.push_back(message_now(hwnd, message, wparam, lparam));
}

void queue_input(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    QueuedInput input;
    input.msg = message_now(hwnd, message, wparam, lparam);
    std::copy(std::begin(input_state().keys), std::end(input_state().keys), input.keys);
    if (is_mouse_move(message) && !g_input.empty() && g_input.back().msg.message == message
        && g_input.back().msg.hwnd == hwnd) {
        g_input.back() = input;
        return;
    }
    g_input.push_back(input);
}

bool is_input_waiting()
{
    return !g_input.empty();
}

void post_quit(int exit_code)
{
    g_quit_codes[current_process_id()] = exit_code;
}

bool matches_filter(HWND hwnd, HWND filter)
{
    if (!filter)
        return true;
    return hwnd == filter || is_ancestor(filter, hwnd);
}

bool take_message(MSG& msg, HWND filter, UINT first, UINT last, bool remove)
{
    // Sent messages are handled inside the loop's call, before anything is taken.
    if (!g_unanswered.empty())
        deliver_answered_sends();
    for (auto it = g_posted.begin(); it != g_posted.end(); ++it) {
        if (!can_receive(it->hwnd) || !matches_filter(it->hwnd, filter) || !in_range(it->message, first, last))
            continue;
        msg = *it;
        if (remove)
            g_posted.erase(it);
        return true;
    }
    if (take_input(msg, filter, first, last, remove))
        return true;
    if (in_range(WM_PAINT, first, last)) {
        if (HWND hwnd = window_needing_paint(filter)) {
            msg = MSG {};
            msg.hwnd = hwnd;
            msg.message = WM_PAINT;
            msg.time = static_cast<DWORD>(now_ms());
            msg.pt = cursor_position();
            return true;
        }
    }
    if (in_range(WM_TIMER, first, last)) {
        if (auto timer = take_due_timer(filter, remove)) {
            msg = *timer;
            msg.pt = cursor_position();
            return true;
        }
    }
    auto quit = g_quit_codes.find(current_process_id());
    if (quit != g_quit_codes.end() && !filter) {
        msg = MSG {};
        msg.message = WM_QUIT;
        msg.wParam = static_cast<WPARAM>(quit->second);
        msg.time = static_cast<DWORD>(now_ms());
        if (remove)
            g_quit_codes.erase(quit);
        return true;
    }
    return false;
}

LRESULT dispatch(const MSG& msg)
{
    if (apply_posted_window_request(msg))
        return 0;
    if (msg.message == WM_TIMER && msg.lParam) {
        auto procedure = reinterpret_cast<TIMERPROC>(msg.lParam);
        Window* window = find_window(msg.hwnd);
        ProcessScope scope(window ? window->process_id : current_process_id());
        procedure(msg.hwnd, WM_TIMER, msg.wParam, static_cast<DWORD>(now_ms()));
        return 0;
    }
    if (msg.message == WM_TIMER && !find_window(msg.hwnd))
        return 0;
    LRESULT result = deliver(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    if (msg.message == WM_PAINT)
        validate_after_paint(msg.hwnd);
    return result;
}

void let_poll_time_pass()
{
    let_microseconds_pass(empty_poll_cost_us);
}

void wait_for_next_timer()
{
    uint64_t next = next_timer_due();
    uint64_t now = now_ms();
    if (next > now && next != UINT64_MAX) {
        let_time_pass(next - now);
        return;
    }
    let_time_pass(idle_wait_ms);
}

void deliver_pending()
{
    deliver_pending(now_ms());
}

void deliver_pending(uint64_t deadline)
{
    MSG msg {};
    for (int count = 0; count < pump_limit; ++count) {
        if (!take_message_before(msg, deadline))
            return;
        if (msg.message == WM_QUIT)
            continue;
        try {
            // As an application's own loop does, so that typed keys arrive as characters too.
            TranslateMessage(&msg);
            dispatch(msg);
        } catch (const ProcessExit&) {
            // The process ended itself; its windows are gone and the others carry on.
        }
    }
}

void run_messages_for(uint64_t milliseconds)
{
    uint64_t target = now_ms() + milliseconds;
    for (;;) {
        deliver_pending(target);
        uint64_t next = next_timer_due();
        uint64_t now = now_ms();
        if (next > target || now >= target)
            break;
        if (next > now)
            let_time_pass(next - now);
    }
    if (now_ms() < target)
        let_time_pass(target - now_ms());
    deliver_pending(target);
}

void drop_window_messages(HWND hwnd)
{
    std::erase_if(g_posted, [&](const MSG& msg) { return msg.hwnd == hwnd; });
    std::erase_if(g_input, [&](const QueuedInput& input) { return input.msg.hwnd == hwnd; });
    std::erase_if(g_unanswered, [&](const UnansweredSend& send) { return send.hwnd == hwnd; });
}

void reset_message_queue()
{
    g_posted.clear();
    g_input.clear();
    g_quit_codes.clear();
    g_unanswered.clear();
    reset_freezes();
}

}
