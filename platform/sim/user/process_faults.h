// Faults injected into a process: the next Windows call the process makes fails as an access
// violation would, and Windows' handling of an unhandled exception follows (the process's filter,
// then the end of the process).
#pragma once

#include <cstdint>

namespace sim {

// Arms a fault for a call the process's own code makes into the simulation: the next one, or the
// one after `calls_before` more.
void arm_access_violation(uint32_t process_id, uint32_t calls_before = 0);
bool is_access_violation_armed(uint32_t process_id);

// Raises the armed fault if the process whose code runs now has one; called on every way into
// the simulation's objects, so any Windows call that reaches a handle can fault.
void raise_armed_fault();

// Calls that only let go of something (a device context, a GDI object, a kernel handle, a timer,
// a window, a window's user data) never take an armed fault: a program makes them in destructors,
// where C++ cannot unwind, and the simulation's ExitProcess unwinds. The fault waits for the next
// call. One of these scopes stands at the top of each such call.
class ReleaseCallScope {
public:
    ReleaseCallScope();
    ~ReleaseCallScope();
    ReleaseCallScope(const ReleaseCallScope&) = delete;
    ReleaseCallScope& operator=(const ReleaseCallScope&) = delete;
};

void reset_process_faults();

}
