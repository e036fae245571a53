// ToolTip: the program's one tool tip. When the pointer rests on a control with a ToolTipText
// for the initial delay, the text shows in a small pale window below the pointer; it goes when
// the pointer leaves the control, when a button is pressed, or after a few seconds.
#pragma once

#include "runtime/font.h"
#include "runtime/popup_window.h"

#include <string>

namespace runtime {

class ToolTip {
public:
    ToolTip();

    // The pointer moved over a place of a window: `window` and `screen_rect` are where the control
    // lies, `text` its tip (empty for a control without one).
    void pointer_moved(HWND window, const RECT& screen_rect, const std::string& text);
    // A button was pressed: the tip goes and stays away until the pointer leaves the control.
    void pressed();

private:
    enum class State { Idle, Waiting, Shown, Done };

    std::optional<LRESULT> handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void tick();
    void show();
    void stop();
    bool is_pointer_on_tool() const;
    void paint(HWND window);
    HFONT font();

    PopupWindow m_popup;
    State m_state = State::Idle;
    HWND m_tool_window = nullptr;
    RECT m_tool_rect { 0, 0, 0, 0 };
    std::string m_text;
    DWORD m_since = 0;
    FontHandle m_font;
};

}
