// A window of the program that counts what reaches it, to see that a call let messages run.
#pragma once

#include "platform/win32.h"

#include <string>

struct ProbeCounts {
    int probes = 0;
    int timers = 0;
};

inline constexpr UINT probe_message = WM_APP + 7;

inline ProbeCounts& probe_counts()
{
    static ProbeCounts counts;
    return counts;
}

inline LRESULT CALLBACK probe_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == probe_message)
        ++probe_counts().probes;
    if (message == WM_TIMER)
        ++probe_counts().timers;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Creates the probe (run as the program) and clears the counts. The window procedure answers
// WM_GETTEXT itself through DefWindowProcA, so its text is whatever the title is.
inline HWND create_probe_window(const std::string& title = {})
{
    WNDCLASSEXA window_class {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = probe_procedure;
    window_class.lpszClassName = "ServicesProbe";
    RegisterClassExA(&window_class);
    probe_counts() = {};
    return CreateWindowExA(0, "ServicesProbe", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}
