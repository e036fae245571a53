// The standard folders and the current folder.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/kernel/string_out.h"
#include "platform/sim/user/process_faults.h"

#include <cctype>
#include <cstring>

namespace fs = std::filesystem;

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    sim::ApiCall api_call;
    return sim::copy_or_measure(sim::windows_folder, lpBuffer, uSize);
}

UINT WINAPI GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    sim::ApiCall api_call;
    return sim::copy_or_measure(sim::system_folder, lpBuffer, uSize);
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    sim::ApiCall api_call;
    return sim::copy_or_measure(sim::current_folder(), lpBuffer, nBufferLength);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName)
{
    sim::ApiCall api_call;
    if (!lpPathName || !*lpPathName)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    fs::path host = sim::host_path(lpPathName);
    std::error_code error;
    if (host.empty() || !fs::is_directory(host, error))
        return sim::fail(host.empty() || !fs::exists(host, error) ? ERROR_FILE_NOT_FOUND : ERROR_DIRECTORY, FALSE);
    sim::set_current_folder(lpPathName);
    return TRUE;
}
