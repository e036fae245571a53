// A window of another thread or process taken into one of the program's own, as the program adopts
// windows: SetParent across threads, a style change across threads, its text, its way back to the
// desktop, and what destroying its new parent does to it.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

void print_place(const std::string& key, HWND window, HWND parent)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    POINT origin { 0, 0 };
    if (parent)
        ClientToScreen(parent, &origin);
    print_line(key, rect_text({ rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y }));
}

}

void probe_adoption()
{
    HWND host = create_probe_window(WS_POPUP | WS_VISIBLE, 0, nullptr, { 50, 60, 850, 660 }, "Host");
    HWND foreign = make_foreign_window();
    print_yes_no("adoption.other_thread", GetWindowThreadProcessId(foreign, nullptr) != GetCurrentThreadId());
    LONG style = GetWindowLongA(foreign, GWL_STYLE);
    print_hex("adoption.style", static_cast<DWORD>(style));
    print_place("adoption.before.rect", foreign, nullptr);

    print_yes_no("adoption.SetParent.returns_desktop", SetParent(foreign, host) == GetDesktopWindow());
    print_yes_no("adoption.GA_PARENT_is_host", GetAncestor(foreign, GA_PARENT) == host);
    print_yes_no("adoption.GetParent_is_none", GetParent(foreign) == nullptr);
    print_yes_no("adoption.IsWindowVisible", IsWindowVisible(foreign));
    print_hex("adoption.style_after_SetParent", static_cast<DWORD>(GetWindowLongA(foreign, GWL_STYLE)));
    print_place("adoption.rect_in_host_client", foreign, host);

    // Its frame taken away across threads: the old style comes back from the call, and the client
    // area fills the window once the frame is worked out again.
    print_yes_no("adoption.SetWindowLongA.returns_old_style",
        SetWindowLongA(foreign, GWL_STYLE, style & ~static_cast<LONG>(WS_CAPTION | WS_THICKFRAME)) == style);
    SetWindowPos(foreign, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client {};
    GetClientRect(foreign, &client);
    RECT rect {};
    GetWindowRect(foreign, &rect);
    print_yes_no("adoption.frameless_client_fills_window",
        client.right == rect.right - rect.left && client.bottom == rect.bottom - rect.top);
    char text[32] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(foreign, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    print_line("adoption.text", text);

    // Given back: its style as it was, on the desktop, the same numbers now on the screen.
    SetWindowLongA(foreign, GWL_STYLE, style);
    print_yes_no("adoption.SetParent(desktop).returns_host", SetParent(foreign, GetDesktopWindow()) == host);
    SetWindowPos(foreign, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    print_yes_no("adoption.given_back.GA_PARENT_is_desktop", GetAncestor(foreign, GA_PARENT) == GetDesktopWindow());
    print_hex("adoption.given_back.style", static_cast<DWORD>(GetWindowLongA(foreign, GWL_STYLE)));
    print_place("adoption.given_back.rect", foreign, nullptr);

    // Destroying the window it sits in takes it along, whichever thread made it.
    SetParent(foreign, host);
    DestroyWindow(host);
    Sleep(300);
    print_yes_no("adoption.destroyed_with_host", !IsWindow(foreign));
}
