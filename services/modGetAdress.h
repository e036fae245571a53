// modGetAdress: the address text of a file-explorer window, and its breadcrumb form.
#pragma once

#include "platform/win32.h"
#include "runtime/program.h"

#include <string>
#include <vector>

// The descendants of the window last walked by GetAddressText, in the order the system reported
// them, followed by one trailing 0. Program-wide: one list per running program.
struct ChildWindowList {
    std::vector<HWND> ChildWindows { nullptr };
};

// The address text of an explorer window: the text of its first descendant of class "EDIT" (any
// letter case) whose text holds ":", with every occurrence of the text's first character
// removed. The empty string when no descendant matches. A matching text that starts with a blank
// raises the runtime's error (ErrInvalidProcedureCall); callers skip the statement.
std::string GetAddressText(runtime::Program& program, HWND hWndParent);

// The walk's callback: appends hWnd to the ChildWindowList that lParam points to (none: nothing
// is kept); always goes on.
BOOL CALLBACK EnumChildProc(HWND hWnd, LPARAM lParam);

// The text of an edit control, as GetControlText reads it.
std::string GetEditText(HWND hWnd);

// The path with every "\" shown as " > ".
std::string FormatAddressPath(const std::string& Path);
