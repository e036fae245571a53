// GetGuiResources: the GDI and user objects a process holds, asked of the calling process
// through GetCurrentProcess.
#include "platform/api/gdi.h"
#include "platform/api/kernel.h"
#include "platform/api/process.h"

#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"

using namespace sim;

namespace {

// A handle that always means the calling process, as the process functions read it.
const HANDLE current_process_pseudo_handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

}

HANDLE WINAPI GetCurrentProcess(void)
{
    sim::ApiCall api_call;
    return current_process_pseudo_handle;
}

// FIXME: only the calling process can be asked about; a handle from OpenProcess is refused.
DWORD WINAPI GetGuiResources(HANDLE process, DWORD flags)
{
    sim::ApiCall api_call;
    if (process != current_process_pseudo_handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    GdiAccount account = gdi_account(current_process_id());
    switch (flags) {
    case GR_GDIOBJECTS:
        return static_cast<DWORD>(account.objects);
    case GR_USEROBJECTS:
        return static_cast<DWORD>(account.user_objects);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}
