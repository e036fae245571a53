// Sends that would freeze their sender on Windows: a message sent without a time-out to a window of
// another process that does not answer blocks the sender until it does. The simulation cannot
// block, so it records each such send instead, for the driver to read.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
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

const std::vector<Freeze>& freezes();
void reset_freezes();

}
