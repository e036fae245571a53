// Global memory blocks behind HGLOBAL handles, as the clipboard hands them over.
#pragma once

#include "platform/sim/handle_table.h"

#include <cstdint>
#include <vector>

namespace sim {

struct GlobalMemory : Object {
    std::vector<uint8_t> bytes;
    int lock_count = 0;
};

}
