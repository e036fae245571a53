#include "runtime/statements.h"

#include "runtime/timer.h"

#include "runtime/error.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace runtime {

namespace {

// Takes the next message for DoEvents to run; false when there is none. Inside a tick that already
// runs inside another, timers wait for an outer loop: taking their messages here would drop them,
// and the same windows would miss their ticks every time. The pump then stops at the first timer
// message and leaves it in the queue; timer messages come only when no posted message, input or
// paint waits, so nothing else is left behind. The pump never looks at the queue through a range
// of messages: a look that passes input by makes the system forget the press a double click
// would complete, and input taken out of its order is no longer what the user did.
bool take_next_message(MSG& message)
{
    if (timer_ticks_in_progress() < MaxTickNesting)
        return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) || message.message == WM_TIMER)
        return false;
    return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0;
}

}

void DoEvents()
{
    MSG message;
    while (take_next_message(message)) {
        if (message.message == WM_QUIT) {
            // The quit belongs to the outer message loop: put it back for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int MsgBox(const std::string& prompt, int style, const std::string& title)
{
    std::string caption = title;
    if (caption.empty()) {
        char file_name[MAX_PATH] = {};
        std::string path(file_name, GetModuleFileNameA(nullptr, file_name, MAX_PATH));
        size_t separator = path.find_last_of("\\/");
        caption = separator == std::string::npos ? path : path.substr(separator + 1);
        size_t dot = caption.rfind('.');
        if (dot != std::string::npos)
            caption.erase(dot);
    }
    return MessageBoxA(GetActiveWindow(), prompt.c_str(), caption.c_str(), static_cast<UINT>(style));
}

namespace {

struct NamedKey {
    const char* name;
    BYTE key;
};

constexpr NamedKey named_keys[] = {
    { "ENTER", VK_RETURN }, { "TAB", VK_TAB }, { "ESC", VK_ESCAPE }, { "ESCAPE", VK_ESCAPE },
    { "BACKSPACE", VK_BACK }, { "BS", VK_BACK }, { "DELETE", VK_DELETE }, { "DEL", VK_DELETE },
    { "HOME", VK_HOME }, { "END", VK_END }, { "LEFT", VK_LEFT }, { "RIGHT", VK_RIGHT }, { "UP", VK_UP },
    { "DOWN", VK_DOWN }, { "SPACE", VK_SPACE }, { "F1", VK_F1 }, { "F2", VK_F2 }, { "F3", VK_F3 },
    { "F4", VK_F4 }, { "F5", VK_F5 }, { "F6", VK_F6 }, { "F7", VK_F7 }, { "F8", VK_F8 }, { "F9", VK_F9 },
    { "F10", VK_F10 }, { "F11", VK_F11 }, { "F12", VK_F12 },
};

void tap(BYTE key, const std::vector<BYTE>& modifiers)
{
    for (BYTE modifier : modifiers)
        keybd_event(modifier, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
}

BYTE key_for_character(char character, std::vector<BYTE>& modifiers)
{
    unsigned char c = static_cast<unsigned char>(character);
    if (std::isalpha(c)) {
        if (std::isupper(c))
            modifiers.push_back(VK_SHIFT);
        return static_cast<BYTE>(std::toupper(c));
    }
    if (std::isdigit(c) || c == ' ')
        return c;
    raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
}

BYTE key_for_name(const std::string& name, std::vector<BYTE>& modifiers)
{
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (auto& named : named_keys) {
        if (upper == named.name)
            return named.key;
    }
    if (name.size() == 1)
        return key_for_character(name[0], modifiers);
    raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
}

}

void SendKeys(std::string_view keys, bool wait)
{
    std::vector<BYTE> pending_modifiers;
    for (size_t position = 0; position < keys.size(); ++position) {
        char c = keys[position];
        if (c == '+' || c == '^' || c == '%') {
            pending_modifiers.push_back(c == '+' ? VK_SHIFT : c == '^' ? VK_CONTROL : VK_MENU);
            continue;
        }
        std::vector<BYTE> modifiers = pending_modifiers;
        pending_modifiers.clear();
        BYTE key = 0;
        if (c == '{') {
            size_t close = keys.find('}', position + 2);
            if (close == std::string_view::npos)
                raise(ErrInvalidProcedureCall, "Invalid procedure call or argument");
            key = key_for_name(std::string(keys.substr(position + 1, close - position - 1)), modifiers);
            position = close;
        } else if (c == '~') {
            key = VK_RETURN;
        } else {
            key = key_for_character(c, modifiers);
        }
        tap(key, modifiers);
    }
    if (wait)
        DoEvents();
}

long Shell(const std::string& command_line, int window_style)
{
    UINT result = WinExec(command_line.c_str(), static_cast<UINT>(window_style));
    if (result <= 31)
        raise(ErrFileNotFound, "File not found");
    return static_cast<long>(result);
}

std::string TimeText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour % 24u, now.wMinute % 60u, now.wSecond % 60u);
    return text;
}

double SecondsSinceMidnight()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

}
