// Whether a window of another program takes its messages now: the check made before every call
// that sends to a window and waits for it (activation, parent and style changes, moves and shows
// without SWP_ASYNCWINDOWPOS), so that a program that does not answer never freezes Kelmor.
#pragma once

#include "platform/win32.h"

// How long Kelmor waits at most for another program's window to answer one message (ms). Long
// enough for a program that merely has work queued, short enough that no border stops fading or
// following the pointer while it waits.
inline constexpr UINT AnswerLimitMs = 50;

// Asks with a message every window ignores. A window Windows already counts as hung (five seconds
// without taking a message) is not waited for at all; a busy one costs at most AnswerLimitMs.
bool IsAnswering(HWND window);

// Remembers that a window let a query time out before Windows counts it as hung, so that it is not
// asked again for a while: a program that stops answering costs one short wait now and then, not
// one a tick, and once Windows counts it as hung SMTO_ABORTIFHUNG gives up at once.
class AnswerPause {
public:
    static constexpr DWORD LengthMs = 1000;

    bool is_paused() const { return m_is_paused && GetTickCount() - m_since < LengthMs; }
    // After a query that failed: pauses unless the window is gone or Windows already counts it as hung.
    void note_no_answer(HWND window)
    {
        if (!IsWindow(window) || IsHungAppWindow(window))
            return;
        m_is_paused = true;
        m_since = GetTickCount();
    }

private:
    bool m_is_paused = false;
    DWORD m_since = 0;
};
