#include "platform/sim/user/posted_window_requests.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <map>
#include <optional>

namespace sim {

namespace {

// The message that carries a request: a number of the system's range that no program sends; only
// one whose lParam names a request waiting here is taken as one.
constexpr UINT posted_request = 0x03FE;

struct Request {
    HWND hwnd = nullptr;
    // A move, or a show command.
    std::optional<WINDOWPOS> position;
    int show_command = 0;
};

struct Requests {
    std::map<LPARAM, Request> waiting;
    LPARAM next_id = 1;
};

Requests& requests()
{
    static Requests state;
    return state;
}

const bool forgets_on_reset = (on_reset([] { requests() = Requests {}; }), true);

void post_request(Request request)
{
    auto& state = requests();
    // Requests of windows destroyed before their process took them went with the window.
    std::erase_if(state.waiting, [](const auto& entry) { return !find_window(entry.second.hwnd); });
    LPARAM id = state.next_id++;
    HWND hwnd = request.hwnd;
    state.waiting[id] = std::move(request);
    post_message(hwnd, posted_request, 0, id);
}

}

bool is_for_other_process(HWND hwnd)
{
    Window* window = find_window(hwnd);
    return window && window->process_id != current_process_id();
}

void post_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags)
{
    post_request(Request {hwnd, WINDOWPOS {hwnd, insert_after, x, y, width, height, flags & ~SWP_ASYNCWINDOWPOS}, 0});
}

void post_show_window(HWND hwnd, int command)
{
    post_request(Request {hwnd, std::nullopt, command});
}

bool apply_posted_window_request(const MSG& msg)
{
    if (msg.message != posted_request)
        return false;
    auto& waiting = requests().waiting;
    auto it = waiting.find(msg.lParam);
    if (it == waiting.end() || it->second.hwnd != msg.hwnd)
        return false;
    Request request = std::move(it->second);
    waiting.erase(it);
    Window* window = find_window(request.hwnd);
    if (!window)
        return true;
    ProcessScope scope(window->process_id);
    if (!request.position) {
        show_window(request.hwnd, request.show_command);
        return true;
    }
    const WINDOWPOS& to = *request.position;
    set_window_pos(to.hwnd, to.hwndInsertAfter, to.x, to.y, to.cx, to.cy, to.flags);
    return true;
}

}
