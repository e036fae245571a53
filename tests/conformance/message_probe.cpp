// Messages: RegisterWindowMessageA's numbering, and SendMessageTimeoutA to the program's own window
// and to one that answers nothing, before and after it counts as hung.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

void probe_registered_messages()
{
    UINT message = RegisterWindowMessageA("KelmorProbeMessage");
    print_yes_no("registered.in_range", message >= 0xC000 && message <= 0xFFFF);
    print_yes_no("registered.same_name_same_number", RegisterWindowMessageA("KelmorProbeMessage") == message);
    print_yes_no("registered.name_case_ignored", RegisterWindowMessageA("KELMORPROBEMESSAGE") == message);
    UINT other = RegisterWindowMessageA("KelmorProbeOtherMessage");
    print_yes_no("registered.other_name_other_number", other != message && other >= 0xC000 && other <= 0xFFFF);
    UINT taskbar = RegisterWindowMessageA("TaskbarCreated");
    print_yes_no("registered.TaskbarCreated_in_range", taskbar >= 0xC000 && taskbar <= 0xFFFF);
    print_line("registered.empty_name", RegisterWindowMessageA(""));
}

void probe_own_window()
{
    HWND window = create_probe_window(WS_POPUP, 0, nullptr, { 0, 0, 10, 10 }, "Own");
    char text[16] = {};
    DWORD_PTR result = 99;
    print_yes_no("send_timeout.own.returns",
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
            &result) != 0);
    print_line("send_timeout.own.result", static_cast<long long>(result));
    print_line("send_timeout.own.text", text);
    DestroyWindow(window);
    SetLastError(0);
    print_yes_no("send_timeout.destroyed.returns",
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0);
    print_line("send_timeout.destroyed.GetLastError", GetLastError());
}

void probe_hung_window()
{
    HWND hung = make_hung_window();
    print_yes_no("send_timeout.hung.IsWindow", IsWindow(hung));
    print_yes_no("send_timeout.hung.IsHungAppWindow_at_once", IsHungAppWindow(hung));
    DWORD_PTR result = 99;
    SetLastError(0);
    DWORD started = GetTickCount();
    LRESULT returned = SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 300, &result);
    DWORD waited = GetTickCount() - started;
    print_line("send_timeout.hung.returns", static_cast<long long>(returned));
    print_line("send_timeout.hung.GetLastError", GetLastError());
    print_yes_no("send_timeout.hung.waited_its_time_out", waited >= 250);
    print_yes_no("send_timeout.hung.PostMessageA", PostMessageA(hung, WM_NULL, 0, 0));

    // After five seconds without an answer the window counts as hung: SMTO_ABORTIFHUNG gives up at
    // once instead of waiting.
    Sleep(5500);
    print_yes_no("send_timeout.hung.IsHungAppWindow_after_5s", IsHungAppWindow(hung));
    SetLastError(0);
    started = GetTickCount();
    returned = SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    waited = GetTickCount() - started;
    print_line("send_timeout.hung_abortifhung.returns", static_cast<long long>(returned));
    print_line("send_timeout.hung_abortifhung.GetLastError", GetLastError());
    print_yes_no("send_timeout.hung_abortifhung.returned_early", waited < 1500);
}

}

void probe_messages()
{
    probe_registered_messages();
    probe_own_window();
    probe_hung_window();
}
