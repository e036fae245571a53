// The language's statements that are not about one form: DoEvents, MsgBox, SendKeys, Shell, the
// time of day.
#pragma once

#include "platform/win32.h"

#include <string>
#include <string_view>

namespace runtime {

// Lets every pending message of the program run (timers, paints, input), then returns.
void DoEvents();

// Message box buttons and icons, and the answers.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// Shows a modal message box and returns the button chosen; the title defaults to the program's name.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});

// Sends keystrokes to the window that has the keyboard, in the language's notation: "+" Shift,
// "^" Ctrl, "%" Alt for the next key or group, "{F4}", "{ENTER}", "{TAB}"... With wait, returns
// after the keystrokes have been processed.
void SendKeys(std::string_view keys, bool wait = false);

// Window styles of a started program.
enum AppWinStyle : int {
    vbHide = 0,
    vbNormalFocus = 1,
    vbMinimizedFocus = 2,
    vbMaximizedFocus = 3,
    vbNormalNoFocus = 4,
    vbMinimizedNoFocus = 6,
};

// Starts a program by its command line; a program that cannot be started raises ErrFileNotFound.
// Returns a task number that is not zero.
long Shell(const std::string& command_line, int window_style = vbMinimizedFocus);

// The time of day as text, "hh:mm:ss" on a 24-hour clock, and in seconds since midnight.
std::string TimeText();
double SecondsSinceMidnight();

}
