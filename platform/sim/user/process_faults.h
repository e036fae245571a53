// Faults injected into a process: a Windows call the process's own code makes fails as an access
// violation would, and Windows' handling of an unhandled exception follows (the process's filter,
// then the end of the process).
#pragma once

#include <cstdint>

namespace sim {

// Arms a fault for a Windows call the process's own code makes: the next one, or the one after
// `calls_before` more.
void arm_access_violation(uint32_t process_id, uint32_t calls_before = 0);

// What a Windows call does: most may fail; a release only lets go of something (a device context,
// a GDI object, an icon, a kernel handle, a timer, a window), which a program does in destructors,
// where C++ cannot unwind and the simulation's ExitProcess unwinds.
enum class CallKind {
    any,
    release,
};

// Stands at the top of every Windows function of the simulation. A call the program's own code
// makes (not one the simulation makes inside another) is counted, and the one an armed fault waits
// for fails at its start, before it does anything, as an access violation on entry would. A release
// call it falls on does its work, and the fault comes at the start of the next call that is none.
class ApiCall {
public:
    explicit ApiCall(CallKind kind = CallKind::any);
    ~ApiCall();
    ApiCall(const ApiCall&) = delete;
    ApiCall& operator=(const ApiCall&) = delete;
};

// How many Windows calls the process's own code has made.
uint64_t calls_made(uint32_t process_id);

// The program's code runs anew inside a call (a window or timer procedure): the calls it makes
// there are its own again. Returns what end_program_code takes back.
int begin_program_code();
void end_program_code(int outer_call_depth);

void reset_process_faults();

}
