#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

namespace {

DWORD g_last_error = ERROR_SUCCESS;

}

DWORD WINAPI GetLastError(void)
{
    sim::ApiCall api_call;
    return g_last_error;
}

void WINAPI SetLastError(DWORD dwErrCode)
{
    sim::ApiCall api_call;
    g_last_error = dwErrCode;
}
