// user32: stock cursors and icons, system metrics and colours.
#include "platform/api/user.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/input.h"
#include "platform/sim/user/input_state.h"
#include "platform/sim/user/nonclient.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/system_icons.h"

using namespace sim;

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    sim::ApiCall api_call;
    if (hInstance || !IS_INTRESOURCE(lpCursorName))
        return nullptr;
    return system_cursor(static_cast<int>(reinterpret_cast<ULONG_PTR>(lpCursorName)));
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    sim::ApiCall api_call;
    HCURSOR previous = input_state().shape;
    input_state().shape = hCursor;
    return previous;
}

HCURSOR WINAPI GetCursor(void)
{
    sim::ApiCall api_call;
    return input_state().shape;
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    sim::ApiCall api_call;
    if (hInstance || !IS_INTRESOURCE(lpIconName))
        return nullptr;
    return system_icon(static_cast<int>(reinterpret_cast<ULONG_PTR>(lpIconName)));
}

int WINAPI GetSystemMetrics(int nIndex)
{
    sim::ApiCall api_call;
    SIZE screen = screen_size();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screen.cy;
    case SM_CYFULLSCREEN:
        return screen.cy - caption_height;
    case SM_CXMAXIMIZED:
        return screen.cx + 2 * thick_frame_width;
    case SM_CYMAXIMIZED:
        return screen.cy + 2 * thick_frame_width;
    case SM_CYCAPTION:
    // The theme the desktop follows gives tool windows a caption as tall as any other.
    case SM_CYSMCAPTION:
        return caption_height;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return border_width;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return fixed_frame_width;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return thick_frame_width;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return 20;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return double_click_size;
    default:
        return 0;
    }
}

DWORD WINAPI GetSysColor(int nIndex)
{
    sim::ApiCall api_call;
    switch (nIndex) {
    case COLOR_SCROLLBAR:
        return RGB(200, 200, 200);
    case COLOR_DESKTOP:
        return RGB(0x3A, 0x6E, 0xA5);
    case COLOR_ACTIVECAPTION:
        return RGB(153, 180, 209);
    case COLOR_MENU:
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
        return RGB(100, 100, 100);
    case COLOR_HIGHLIGHT:
        return RGB(51, 153, 255);
    case COLOR_BTNSHADOW:
        return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    case COLOR_3DDKSHADOW:
        return RGB(105, 105, 105);
    case COLOR_3DLIGHT:
        return RGB(227, 227, 227);
    default:
        return RGB(0, 0, 0);
    }
}
