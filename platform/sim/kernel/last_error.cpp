#include "platform/sim/kernel/last_error.h"

namespace {

DWORD g_last_error = ERROR_SUCCESS;

}

DWORD WINAPI GetLastError(void)
{
    return g_last_error;
}

void WINAPI SetLastError(DWORD dwErrCode)
{
    g_last_error = dwErrCode;
}
