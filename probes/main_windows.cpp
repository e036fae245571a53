// The probes as a Windows console program. The window that answers nothing belongs to a thread
// that creates it and then sleeps.
#include "probes/conformance.h"

namespace {

struct HungThread {
    HANDLE ready = nullptr;
    HWND window = nullptr;
};

DWORD WINAPI run_hung_thread(LPVOID parameter)
{
    auto* thread = static_cast<HungThread*>(parameter);
    thread->window = create_probe_window(WS_POPUP, 0, nullptr, { 600, 400, 700, 500 }, "Hung");
    SetEvent(thread->ready);
    Sleep(INFINITE);
    return 0;
}

}

HWND make_hung_window()
{
    static HungThread thread;
    thread.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(CreateThread(nullptr, 0, run_hung_thread, &thread, 0, nullptr));
    WaitForSingleObject(thread.ready, INFINITE);
    CloseHandle(thread.ready);
    return thread.window;
}

int main()
{
    return run_conformance_probes();
}
