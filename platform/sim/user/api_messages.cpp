// user32: sending and posting messages, message loops, timers.
#include "platform/api/kernel.h"
#include "platform/api/user.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/freezes.h"
#include "platform/sim/user/integrity.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/timers.h"
#include "platform/sim/user/window_tree.h"

using namespace sim;

namespace {

int g_send_depth = 0;

// Counts the nesting of sent messages for InSendMessage.
struct SendDepth {
    SendDepth() { ++g_send_depth; }
    ~SendDepth() { --g_send_depth; }
};

LRESULT broadcast(UINT message, WPARAM wparam, LPARAM lparam, bool is_posted)
{
    // A broadcast sent waits for every window; the first hung one freezes the sender.
    BlockingCall call;
    auto list = desktop_window().children;
    for (HWND hwnd : list) {
        Window* window = find_window(hwnd);
        if (!window)
            continue;
        if (!is_posted)
            deliver(hwnd, message, wparam, lparam);
        else if (!is_process_hung(window->process_id))
            post_message(hwnd, message, wparam, lparam);
    }
    return 1;
}

// What a sender waits for a window of another process that takes its time over each message.
uint32_t answer_delay_for(const Window& window)
{
    if (window.process_id == current_process_id())
        return 0;
    return process_answer_delay_ms(window.process_id);
}

bool is_character_key(WPARAM key)
{
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE || key == VK_RETURN
        || key == VK_BACK || key == VK_ESCAPE || key == VK_TAB;
}

}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    sim::ApiCall api_call;
    if (hWnd == HWND_BROADCAST)
        return broadcast(Msg, wParam, lParam, false);
    Window* window = find_window(hWnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (is_message_blocked(*window, Msg))
        return 0;
    // A sender to a hung window waits for it on Windows: deliver records the freeze, and the
    // window handles the message once it answers again.
    if (is_process_hung(window->process_id))
        keep_unanswered_send(hWnd, Msg, wParam, lParam);
    uint32_t delay = answer_delay_for(*window);
    SendDepth depth;
    LRESULT result = deliver(hWnd, Msg, wParam, lParam);
    wait_in_call(delay);
    return result;
}

LRESULT WINAPI SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout,
    PDWORD_PTR lpdwResult)
{
    sim::ApiCall api_call;
    Window* window = find_window(hWnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (is_message_blocked(*window, Msg))
        return 0;
    if (is_process_hung(window->process_id)) {
        // A window that has answered nothing for five seconds counts as hung: SMTO_ABORTIFHUNG
        // gives up at once. Before that the sender waits its whole time-out. A message its
        // receiver has not taken by then is taken back: the window never sees it.
        if (!(fuFlags & SMTO_ABORTIFHUNG) || !is_hung_app(window->process_id))
            wait_in_call(uTimeout);
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    // A receiver that took the message goes on with it after the sender gave up waiting.
    uint32_t delay = answer_delay_for(*window);
    SendDepth depth;
    LRESULT result = deliver(hWnd, Msg, wParam, lParam);
    if (delay > uTimeout) {
        wait_in_call(uTimeout);
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    wait_in_call(delay);
    if (lpdwResult)
        *lpdwResult = static_cast<DWORD_PTR>(result);
    return 1;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    sim::ApiCall api_call;
    if (hWnd == HWND_BROADCAST)
        return static_cast<BOOL>(broadcast(Msg, wParam, lParam, true));
    Window* window = hWnd ? find_window(hWnd) : nullptr;
    if (hWnd && !window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window && is_message_blocked(*window, Msg))
        return FALSE;
    post_message(hWnd, Msg, wParam, lParam);
    return TRUE;
}

BOOL WINAPI IsHungAppWindow(HWND hwnd)
{
    sim::ApiCall api_call;
    Window* window = find_window(hwnd);
    return window && is_hung_app(window->process_id);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    sim::ApiCall api_call;
    if (!lpMsg)
        return -1;
    if (hWnd && !find_window(hWnd))
        return -1;
    // Waiting for a message lets virtual time run to the next timer. Nothing else can arrive while
    // the program waits (the driver is not running), so a wait that finds nothing even then wakes
    // with WM_NULL instead of blocking for ever, and the caller's loop can look at its condition.
    if (!take_message(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
        wait_for_next_timer();
        if (!take_message(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
            *lpMsg = MSG {};
            lpMsg->time = static_cast<DWORD>(now_ms());
            return TRUE;
        }
    }
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    sim::ApiCall api_call;
    if (!lpMsg)
        return FALSE;
    if (take_message(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0))
        return TRUE;
    let_poll_time_pass();
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    sim::ApiCall api_call;
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    if (!is_character_key(lpMsg->wParam))
        return TRUE;
    WPARAM character = lpMsg->wParam;
    bool is_shifted = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (character >= 'A' && character <= 'Z' && !is_shifted)
        character += 'a' - 'A';
    UINT message = lpMsg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    post_message(lpMsg->hwnd, message, character, lpMsg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg)
{
    sim::ApiCall api_call;
    if (!lpMsg)
        return 0;
    return dispatch(*lpMsg);
}

VOID WINAPI PostQuitMessage(int nExitCode)
{
    sim::ApiCall api_call;
    post_quit(nExitCode);
}

BOOL WINAPI WaitMessage(void)
{
    sim::ApiCall api_call;
    MSG msg;
    if (!take_message(msg, nullptr, 0, 0, false))
        wait_for_next_timer();
    return TRUE;
}

BOOL WINAPI InSendMessage(void)
{
    sim::ApiCall api_call;
    return g_send_depth > 0;
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    sim::ApiCall api_call;
    return set_timer(hWnd, nIDEvent, uElapse, lpTimerFunc);
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return kill_timer(hWnd, uIDEvent);
}
