#include "desktop_fixture.h"

namespace {

LRESULT CALLBACK recording_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    DesktopTest::messages().push_back(RecordedMessage {hwnd, message, wparam, lparam});
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}

void DesktopTest::SetUp()
{
    sim::driver::reset();
    messages().clear();
    WNDCLASSEXA window_class {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = recording_procedure;
    window_class.lpszClassName = "TestWindow";
    RegisterClassExA(&window_class);
}

HWND DesktopTest::create_program_window(RECT rect, DWORD style, DWORD ex_style, HWND parent)
{
    return CreateWindowExA(ex_style, "TestWindow", "test", style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
}

HWND DesktopTest::open_app(const std::string& executable, const std::string& title, RECT rect)
{
    return open_app_window(sim::driver::create_process(executable), title, rect);
}

HWND DesktopTest::open_app_window(uint32_t process, const std::string& title, RECT rect)
{
    sim::driver::AppWindow window;
    window.title = title;
    window.rect = rect;
    return sim::driver::open_app_window(process, window);
}

std::vector<RecordedMessage>& DesktopTest::messages()
{
    static std::vector<RecordedMessage> recorded;
    return recorded;
}

int DesktopTest::count(UINT message, HWND hwnd)
{
    int total = 0;
    for (auto& entry : messages())
        if (entry.message == message && (!hwnd || entry.hwnd == hwnd))
            ++total;
    return total;
}
