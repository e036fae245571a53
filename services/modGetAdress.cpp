#include "services/modGetAdress.h"

#include "runtime/error.h"
#include "services/modGlobal.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

namespace {

std::string class_name_of(HWND window)
{
    char buffer[128] = {};
    int count = GetClassNameA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(std::clamp(count, 0, static_cast<int>(sizeof buffer))));
}

bool is_edit_class(const std::string& class_name)
{
    return class_name.size() == 4
        && std::equal(class_name.begin(), class_name.end(), "EDIT",
            [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

// The candidate's text: the WM_GETTEXT text, then GetWindowTextA written over its beginning. The
// text keeps its length; where the window text is shorter, its terminating NUL stays in the text
// and the WM_GETTEXT characters behind it remain. For another process's edit control
// GetWindowTextA gives the window's own caption, usually empty, so the text then starts with a
// NUL that the trimming removes.
std::string address_candidate_text(HWND child)
{
    int length = GetWindowTextLengthA(child);
    std::string text = GetEditText(child);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    int count = static_cast<int>(std::min<size_t>(static_cast<size_t>(std::max(length, 0)) + 1, buffer.size()));
    GetWindowTextA(child, buffer.data(), count);
    return std::string(buffer.data(), text.size());
}

// Removes every occurrence of the text's first character. A text that starts with a blank has
// nothing left to take that character from once trimmed, and fails as the language's Asc("") does.
std::string trimmed_address(const std::string& text)
{
    char first = text[0];
    if (first == ' ')
        runtime::raise(runtime::ErrInvalidProcedureCall, "Invalid procedure call or argument");
    std::string trimmed;
    std::copy_if(text.begin(), text.end(), std::back_inserter(trimmed), [first](char c) { return c != first; });
    return trimmed;
}

}

std::string GetAddressText(runtime::Program& program, HWND hWndParent)
{
    auto& list = program.module<ChildWindowList>();
    list.ChildWindows.assign(1, nullptr);
    EnumChildWindows(hWndParent, EnumChildProc, reinterpret_cast<LPARAM>(&list));
    // A message handler run by the queries below may walk again and reset the list; this walk's
    // windows are kept apart from it.
    std::vector<HWND> children(list.ChildWindows.begin(), list.ChildWindows.end() - 1);
    for (HWND child : children) {
        std::string class_name = class_name_of(child);
        std::string text = address_candidate_text(child);
        if (text.find(':') != std::string::npos && is_edit_class(class_name))
            return trimmed_address(text);
    }
    return {};
}

BOOL CALLBACK EnumChildProc(HWND hWnd, LPARAM lParam)
{
    auto* list = reinterpret_cast<ChildWindowList*>(lParam);
    if (!list)
        return 1;
    list->ChildWindows.back() = hWnd;
    list->ChildWindows.push_back(nullptr);
    return 1;
}

std::string GetEditText(HWND hWnd)
{
    return GetControlText(hWnd);
}

std::string FormatAddressPath(const std::string& Path)
{
    std::string formatted;
    formatted.reserve(Path.size());
    for (char c : Path) {
        if (c == '\\')
            formatted += " > ";
        else
            formatted += c;
    }
    return formatted;
}
