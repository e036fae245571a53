// CloseHandle for every kind of kernel object: the object's destructor does the closing.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    sim::ApiCall api_call{sim::CallKind::release};
    if (!sim::handles().find<sim::KernelObject>(hObject))
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    sim::handles().remove(hObject);
    return TRUE;
}
