// The drives of the simulated machine: C: and D:, fixed disks, and E:, a removable drive
// without a medium, which answers ERROR_NOT_READY to everything that needs one.
#pragma once

#include "platform/api/types.h"

#include <span>
#include <string_view>

namespace sim {

struct SimulatedDrive {
    char letter;
    UINT type;
    bool has_medium;
    std::string_view label;
    DWORD serial_number;
};

// The drive of a path's letter (either case), or nullptr for one the machine does not have.
const SimulatedDrive* find_drive(char letter);
// Every drive, in letter order.
std::span<const SimulatedDrive> simulated_drives();

}
