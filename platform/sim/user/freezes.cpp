#include "platform/sim/user/freezes.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/process_table.h"

namespace sim {

namespace {

std::vector<Freeze> g_freezes;
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

const std::vector<Freeze>& freezes()
{
    return g_freezes;
}

void reset_freezes()
{
    g_freezes.clear();
}

}
