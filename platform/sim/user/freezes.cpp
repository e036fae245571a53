#include "platform/sim/user/freezes.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/process_table.h"

#include <algorithm>

namespace sim {

namespace {

std::vector<Freeze> g_freezes;
std::map<uint32_t, uint64_t> g_longest_waits;
int g_call_depth = 0;
bool g_is_call_frozen = false;
int g_queued_depth = 0;

}

void note_unanswered_send(HWND target, uint32_t target_process, UINT message)
{
    uint32_t sender = current_process_id();
    if (!is_process_code_running() || sender == target_process || g_queued_depth > 0)
        return;
    if (g_call_depth > 0 && g_is_call_frozen)
        return;
    g_is_call_frozen = g_call_depth > 0;
    g_freezes.push_back(Freeze {sender, target_process, target, message, now_ms()});
}

BlockingCall::BlockingCall()
{
    if (g_call_depth++ == 0)
        g_is_call_frozen = false;
}

BlockingCall::~BlockingCall()
{
    --g_call_depth;
}

QueuedNotification::QueuedNotification()
{
    ++g_queued_depth;
}

QueuedNotification::~QueuedNotification()
{
    --g_queued_depth;
}

void wait_in_call(uint64_t milliseconds)
{
    let_time_pass(milliseconds);
    if (!is_process_code_running())
        return;
    uint64_t& longest = g_longest_waits[current_process_id()];
    longest = std::max(longest, milliseconds);
}

uint64_t longest_wait_ms(uint32_t process_id)
{
    auto it = g_longest_waits.find(process_id);
    return it == g_longest_waits.end() ? 0 : it->second;
}

const std::vector<Freeze>& freezes()
{
    return g_freezes;
}

void reset_freezes()
{
    g_freezes.clear();
    g_longest_waits.clear();
}

}
