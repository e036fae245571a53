// The probes as a Windows console program. The window that answers nothing belongs to a thread
// that creates it and then sleeps; the foreign window to one that runs a message loop.
#include "tests/conformance/conformance.h"

namespace {

struct WindowThread {
    HANDLE ready = nullptr;
    HWND window = nullptr;
    DWORD style = 0;
    RECT rect {};
    const char* text = "";
    bool answers = false;
};

DWORD WINAPI run_window_thread(LPVOID parameter)
{
    auto* thread = static_cast<WindowThread*>(parameter);
    thread->window = create_probe_window(thread->style, 0, nullptr, thread->rect, thread->text);
    SetEvent(thread->ready);
    if (!thread->answers) {
        Sleep(INFINITE);
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// Starts a thread that makes the window and then either sleeps or runs its message loop; the
// description lives as long as the program.
HWND make_window_in_thread(WindowThread& thread)
{
    thread.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(CreateThread(nullptr, 0, run_window_thread, &thread, 0, nullptr));
    WaitForSingleObject(thread.ready, INFINITE);
    CloseHandle(thread.ready);
    return thread.window;
}

}

HWND make_hung_window()
{
    static WindowThread thread { nullptr, nullptr, WS_POPUP, { 600, 400, 700, 500 }, "Hung", false };
    return make_window_in_thread(thread);
}

HWND make_foreign_window()
{
    static WindowThread thread { nullptr, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 300, 200, 700, 500 }, "Foreign", true };
    return make_window_in_thread(thread);
}

int main()
{
    return run_conformance_probes();
}
