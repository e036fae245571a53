// Messages: sending to a window procedure, the posted-message and input queues, and what a message
// loop takes next (posted messages, then input, then paints, then timers, as on Windows).
#pragma once

#include "platform/sim/user/window.h"

namespace sim {

// Calls the window's procedure as the window's process; 0 for a handle that names no window or a
// window whose process hangs (a send the sender would wait for on Windows: see freezes.h).
LRESULT deliver(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Keeps a message sent to a window whose process hangs: the window handles it once its process
// answers again, as on Windows, and the answer goes nowhere. Messages that carry a pointer into
// the sender's memory are kept as a copy (WM_SETTEXT, WM_GETTEXT) or not at all.
void keep_unanswered_send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
void post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
void post_quit(int exit_code);
// Puts the message of a mouse or key event behind the input before it. Loops take input in the
// order it came, a button press becoming a double click as it is taken (input.h); a move over the
// window the move before it went to replaces that one, as Windows merges mouse moves.
void queue_input(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Whether input waits in the queue that no loop has taken yet.
bool is_input_waiting();

// Whether a message for `hwnd` passes a loop's window filter (the window or one of its children).
bool matches_filter(HWND hwnd, HWND filter);

// The next message for a loop of the current process, or nothing.
bool take_message(MSG& msg, HWND filter, UINT first, UINT last, bool remove);
// Runs a message as DispatchMessageA does.
LRESULT dispatch(const MSG& msg);

// What a loop that finds nothing to do lets happen to the clock: PeekMessage lets the few
// microseconds one check costs on Windows pass, GetMessage waits for the next timer.
void let_poll_time_pass();
void wait_for_next_timer();

// Delivers everything that is due now, for every window; how the driver pumps. Stops once the
// clock has passed `deadline` (handlers that wait move it), leaving the rest for later.
void deliver_pending(uint64_t deadline);
void deliver_pending();

// Delivers everything in virtual time until the clock has moved by `milliseconds`: due messages,
// paints and timers of every window, the clock jumping from one due timer to the next.
void run_messages_for(uint64_t milliseconds);

// Forgets a destroyed window's posted messages and input.
void drop_window_messages(HWND hwnd);
void reset_message_queue();

}
