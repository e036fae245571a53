// CtlTranz1: constant layered-window transparency, and clearing an adopted window's style.
#pragma once

#include "platform/win32.h"

// Lets pending messages run, then makes the window layered with the constant alpha
// (1 - Percent / 100) x 255, rounded half to even (0 opaque, 100 invisible). A Percent outside
// 0 to 100 still makes the window layered but keeps its previous alpha. Never fails.
void SetTransparency(HWND hWnd, long Percent);

// Lets pending messages run, then sets the window's style to 0: no caption, frame or visibility
// bit is left. The caller keeps the old style to give it back later. Never fails.
void ClearWindowStyle(HWND hWnd);

// Makes a style set with SetWindowLongA show in the window's frame.
void RecalculateFrame(HWND hWnd);

namespace runtime {
class Form;
class Timer;
}

// One tick of a form's fade-out: raises `level` by `step` and applies it; once the form is
// invisible (100), stops the fade's timer and hides the form. Whether the fade has ended.
bool fade_out_tick(runtime::Form& form, runtime::Timer& timer, int& level, int step);
