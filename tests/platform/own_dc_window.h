// A window whose class asks for a DC of its own (CS_OWNDC), for tests of what such a DC keeps.
#pragma once

#include "platform/win32.h"

inline HWND create_own_dc_window(RECT rect)
{
    WNDCLASSA own {};
    own.style = CS_OWNDC;
    own.lpfnWndProc = DefWindowProcA;
    own.lpszClassName = "OwnDcWindow";
    RegisterClassA(&own);
    return CreateWindowExA(0, "OwnDcWindow", "", WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
}
