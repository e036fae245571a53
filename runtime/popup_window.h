// PopupWindow: a top-most window of the runtime's own that never takes the activation from the
// program's forms: the tool tip, the drop-down of a drive list. Its owner handles its messages.
#pragma once

#include "platform/win32.h"

#include <functional>
#include <optional>

namespace runtime {

class PopupWindow {
public:
    // Answers a message, or leaves it to the system's default handling.
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    explicit PopupWindow(Handler handler);
    ~PopupWindow();
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;

    // The window, made hidden on first use.
    HWND hWnd();
    // Shows the window at a place on the screen, in front of every other window, without activating it.
    void show_at(const RECT& screen_rect);
    void hide();
    bool is_visible() const;

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    Handler m_handler;
    HWND m_window = nullptr;
};

}
