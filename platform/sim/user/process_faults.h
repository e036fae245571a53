// Faults injected into a process: the next Windows call the process makes fails as an access
// violation would, and Windows' handling of an unhandled exception follows (the process's filter,
// then the end of the process).
#pragma once

#include <cstdint>

namespace sim {

// Arms a fault for the next call the process's own code makes into the simulation.
void arm_access_violation(uint32_t process_id);
bool is_access_violation_armed(uint32_t process_id);

// Raises the armed fault if the process whose code runs now has one; called on every way into
// the simulation's objects, so any Windows call that reaches a handle can fault.
void raise_armed_fault();

void reset_process_faults();

}
