// The simulated desktop as a whole: putting it back to a fresh state, its virtual clock and its screen.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <functional>

namespace sim {

// Puts every area of the simulation back to a fresh desktop: the window system first, then the
// areas that registered with on_reset, in the order they registered. The desktop is also made
// fresh on first use, so a program that never calls this still finds one.
void reset_desktop();

// Makes the fresh desktop if nothing has made one yet. Every way into the simulation's state (the
// handle table, the current process, the clock, the window classes) calls it first, so the first
// call of a program finds a whole desktop and no later call resets one under its feet.
void ensure_desktop();

// Registers the reset of another area (registry, files, GDI objects, shell windows...). The
// function runs on every reset_desktop, after the window system is fresh, so it may create windows.
void on_reset(std::function<void()> reset);

// The virtual clock in milliseconds since the desktop started. It moves only when the driver
// advances it, when a program waits (Sleep, a time-out), or when a program polls for messages with
// nothing pending. It counts microseconds inside, so that a poll can cost what it costs on Windows.
uint64_t now_ms();
// Lets virtual time pass without delivering anything, as Sleep does.
void let_time_pass(uint64_t milliseconds);
void let_microseconds_pass(uint64_t microseconds);

SIZE screen_size();
// Resizes the screen and the desktop window; 1920 x 1080 after a reset.
void set_screen_size(int width, int height);

}
