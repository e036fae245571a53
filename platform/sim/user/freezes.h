// Sends that would freeze their sender on Windows: a message sent without a time-out to a window of
// another process that does not answer blocks the sender until it does. The simulation cannot
// block, so it records each such send instead, for the driver to read. Waits that do end (a send
// with a time-out, a slow answer, Sleep) let the clock run, and the longest one of each process is
// kept: while it lasts, that process's thread does nothing else.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct Freeze {
    uint32_t sender_process = 0;
    uint32_t target_process = 0;
    HWND target = nullptr;
    UINT message = 0;
    uint64_t time_ms = 0;
};

// Called when a message for `target` is not answered because its process hangs. Records a freeze
// of the process whose code sends it, unless that is the target's own process or the driver.
void note_unanswered_send(HWND target, uint32_t target_process, UINT message);

// Marks one call that may send several messages (SetParent, SetWindowPos, ShowWindow...): the
// first unanswered one freezes the caller, so the call counts once.
class BlockingCall {
public:
    BlockingCall();
    ~BlockingCall();
    BlockingCall(const BlockingCall&) = delete;
    BlockingCall& operator=(const BlockingCall&) = delete;
};

// Marks the notifications Windows passes to another thread without waiting for it (a window of
// another process losing the activation or the focus): one left unanswered freezes nobody.
class QueuedNotification {
public:
    QueuedNotification();
    ~QueuedNotification();
    QueuedNotification(const QueuedNotification&) = delete;
    QueuedNotification& operator=(const QueuedNotification&) = delete;
};

// Lets `milliseconds` pass while the current process's thread waits inside one call. Waits of the
// driver itself (no process code running) are not counted.
void wait_in_call(uint64_t milliseconds);
// The longest wait inside one call the process has made since the desktop was reset.
uint64_t longest_wait_ms(uint32_t process_id);

const std::vector<Freeze>& freezes();
void reset_freezes();

}
