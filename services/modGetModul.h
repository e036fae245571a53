// modGetModul: the executable file of a process.
#pragma once

#include "platform/win32.h"

#include <string>

// The full path of the process's main executable; the empty string for a process that has ended
// or cannot be opened or queried.
std::string GetProcessFileName(DWORD ProcessID);
