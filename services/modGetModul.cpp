#include "services/modGetModul.h"

#include <algorithm>

std::string GetProcessFileName(DWORD ProcessID)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessID);
    if (!process)
        return {};
    std::string buffer(MAX_PATH, ' ');
    DWORD count = GetModuleFileNameExA(process, nullptr, buffer.data(), MAX_PATH);
    CloseHandle(process);
    buffer.resize(std::min<DWORD>(count, MAX_PATH));
    return buffer;
}
