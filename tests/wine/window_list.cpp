// window-list: prints the desktop's window tree, one window a line, for the smoke run under Wine
// to read: its class, text, visibility, the class of its parent ("desktop" for a top-level
// window), its process, its rectangle on the screen, its state (normal, minimized, maximized) and
// the rectangle it takes when restored, as its placement gives it. Children are indented below
// their parent. With "--close CLASS" it instead posts WM_CLOSE to every top-level window of that
// class, as the system's task list does when it ends a program; with "--show CLASS COMMAND" it
// calls ShowWindow with that command on every window of that class, as the window's own program
// would; with "--hit X Y" it prints the window WindowFromPoint finds at that screen point, as a
// line of the same kind (without indentation).
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string class_of(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The window's text through WM_GETTEXT, which reaches the text of an edit control in another
// process too; line breaks are written as \n so that one window stays on one line.
std::string text_of(HWND window)
{
    char text[1024] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
            2000, &length))
        return "<no answer>";
    std::string escaped;
    for (const char* c = text; *c; ++c) {
        if (*c == '\r')
            continue;
        if (*c == '\n')
            escaped += "\\n";
        else
            escaped += *c;
    }
    return escaped;
}

void print_window(HWND window, int depth)
{
    HWND parent = GetAncestor(window, GA_PARENT);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect {};
    GetWindowRect(window, &rect);
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    const RECT& restored = placement.rcNormalPosition;
    const char* state = IsIconic(window) ? "minimized" : IsZoomed(window) ? "maximized" : "normal";
    std::printf("%*sclass=\"%s\" text=\"%s\" visible=%d parent=\"%s\" process=%lu rect=%ld,%ld,%ld,%ld state=%s "
                "restored=%ld,%ld,%ld,%ld\n",
        depth * 2, "", class_of(window).c_str(), text_of(window).c_str(), IsWindowVisible(window) ? 1 : 0,
        parent == GetDesktopWindow() ? "desktop" : class_of(parent).c_str(), static_cast<unsigned long>(process),
        static_cast<long>(rect.left), static_cast<long>(rect.top), static_cast<long>(rect.right),
        static_cast<long>(rect.bottom), state, static_cast<long>(restored.left), static_cast<long>(restored.top),
        static_cast<long>(restored.right), static_cast<long>(restored.bottom));
}

void print_tree(HWND window, int depth)
{
    for (; window; window = GetWindow(window, GW_HWNDNEXT)) {
        print_window(window, depth);
        print_tree(GetWindow(window, GW_CHILD), depth + 1);
    }
}

int print_window_at(const char* x, const char* y)
{
    HWND window = WindowFromPoint(POINT { std::atol(x), std::atol(y) });
    if (!window) {
        std::printf("none\n");
        return 1;
    }
    print_window(window, 0);
    return 0;
}

int close_windows_of_class(const std::string& name)
{
    int closed = 0;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (class_of(window) == name && PostMessageA(window, WM_CLOSE, 0, 0))
            ++closed;
    }
    std::printf("closed=%d\n", closed);
    return closed > 0 ? 0 : 1;
}

int show_windows_of_class(HWND first, const std::string& name, int command)
{
    int shown = 0;
    for (HWND window = first; window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (class_of(window) == name) {
            ShowWindow(window, command);
            ++shown;
        }
        shown += show_windows_of_class(GetWindow(window, GW_CHILD), name, command);
    }
    return shown;
}

}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--close")
        return close_windows_of_class(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--hit")
        return print_window_at(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--show") {
        int shown = show_windows_of_class(GetWindow(GetDesktopWindow(), GW_CHILD), argv[2], std::atoi(argv[3]));
        std::printf("shown=%d\n", shown);
        return shown > 0 ? 0 : 1;
    }
    print_tree(GetWindow(GetDesktopWindow(), GW_CHILD), 0);
    std::fflush(stdout);
    return 0;
}
