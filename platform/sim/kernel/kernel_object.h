// Objects behind kernel handles (files, searches, mutexes, processes): what CloseHandle closes.
#pragma once

#include "platform/sim/handle_table.h"

#include <cstdint>
#include <memory>

namespace sim {

// Every object that CloseHandle may close derives from this. It remembers the process that
// opened it, because a process that ends closes its handles.
struct KernelObject : Object {
    uint32_t owner_process = 0;
};

// Puts a kernel object into the handle table on behalf of the current process.
uintptr_t add_kernel_object(std::unique_ptr<KernelObject> object);

// Closes every kernel handle a process still holds; called when the process ends.
void close_process_handles(uint32_t process_id);

}
