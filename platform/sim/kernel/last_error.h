// The calling thread's last error, as GetLastError reads it; one thread in the simulation.
#pragma once

#include "platform/api/kernel.h"

namespace sim {

// Sets the last error and returns the value a failing call hands back, so that a failure reads
// as one statement: `return fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);`.
template<typename Result>
Result fail(DWORD error, Result result)
{
    SetLastError(error);
    return result;
}

}
