// kernel32 and psapi calls on processes: opening one, its executable, ending the program.
#include "platform/api/kernel.h"
#include "platform/api/process.h"

#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"

#include <algorithm>
#include <cstring>

using namespace sim;

namespace {

struct ProcessHandle : KernelObject {
    uint32_t process_id = 0;
    DWORD access = 0;
};

// What GetCurrentProcess hands out: a handle that always means the calling process.
const HANDLE current_process_pseudo_handle = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

bool lookup(HANDLE handle, uint32_t& process_id, DWORD& access)
{
    if (handle == current_process_pseudo_handle) {
        process_id = current_process_id();
        access = PROCESS_ALL_ACCESS;
        return true;
    }
    auto* process = handles().find<ProcessHandle>(handle);
    if (!process)
        return false;
    process_id = process->process_id;
    access = process->access;
    return true;
}

}

HANDLE WINAPI OpenProcess(DWORD dwDesiredAccess, BOOL, DWORD dwProcessId)
{
    sim::ApiCall api_call;
    if (!is_process_alive(dwProcessId)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto process = std::make_unique<ProcessHandle>();
    process->process_id = dwProcessId;
    process->access = dwDesiredAccess;
    return reinterpret_cast<HANDLE>(add_kernel_object(std::move(process)));
}

DWORD WINAPI GetModuleFileNameExA(HANDLE hProcess, HMODULE, LPSTR lpFilename, DWORD nSize)
{
    sim::ApiCall api_call;
    uint32_t process_id = 0;
    DWORD access = 0;
    if (!lookup(hProcess, process_id, access)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    constexpr DWORD needed = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
    if ((access & needed) != needed) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    if (!is_process_alive(process_id)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!lpFilename || nSize == 0)
        return 0;
    std::string path = process_executable(process_id);
    size_t count = std::min<size_t>(path.size(), nSize - 1);
    std::memcpy(lpFilename, path.data(), count);
    lpFilename[count] = '\0';
    return static_cast<DWORD>(count);
}

DWORD WINAPI GetCurrentProcessId(void)
{
    sim::ApiCall api_call;
    return current_process_id();
}

DWORD WINAPI GetCurrentThreadId(void)
{
    sim::ApiCall api_call;
    return thread_of_process(current_process_id());
}

VOID WINAPI ExitProcess(UINT uExitCode)
{
    sim::ApiCall api_call;
    uint32_t process_id = current_process_id();
    end_process(process_id);
    throw ProcessExit {process_id, uExitCode};
}

BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    sim::ApiCall api_call;
    uint32_t process_id = 0;
    DWORD access = 0;
    if (!lookup(hProcess, process_id, access) || !(access & PROCESS_TERMINATE) || !is_process_alive(process_id)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (process_id == current_process_id())
        ExitProcess(uExitCode);
    end_process(process_id);
    return TRUE;
}
