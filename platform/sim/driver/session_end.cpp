// The two ways the system ends programs from outside: the task list closing a program, and the
// end of the user's session.
#include "platform/sim/driver.h"

#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"

namespace sim::driver {

namespace {

std::vector<WindowState> top_level_windows_of(std::optional<uint32_t> process_id)
{
    std::vector<WindowState> found;
    for (auto& window : window_tree()) {
        if (!process_id || window.process_id == *process_id)
            found.push_back(window);
    }
    return found;
}

// Sends as the shell does; a program that ends inside its answer ends here.
LRESULT send_from_shell(HWND window, UINT message, WPARAM wparam)
{
    try {
        ProcessScope scope(shell_process());
        return deliver(window, message, wparam, 0);
    } catch (const ProcessExit&) {
        return 0;
    }
}

}

void end_task(uint32_t process_id)
{
    for (auto& window : top_level_windows_of(process_id)) {
        // The task list addresses a program through its main windows: those nobody owns.
        if (window.owner)
            continue;
        ProcessScope scope(shell_process());
        post_message(window.handle, WM_CLOSE, 0, 0);
    }
    pump();
}

void end_session()
{
    auto windows = top_level_windows_of(std::nullopt);
    for (auto& window : windows)
        send_from_shell(window.handle, WM_QUERYENDSESSION, 0);
    for (auto& window : windows)
        send_from_shell(window.handle, WM_ENDSESSION, TRUE);
    pump();
}

}
