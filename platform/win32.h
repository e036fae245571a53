// The one platform header the program includes: the Windows API surface Kelmor uses.
// On Windows it is the SDK; elsewhere our own declarations, implemented by the simulated desktop.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <psapi.h>
#include <wininet.h>
#include <vfw.h>
#include <gdiplus.h>
using namespace Gdiplus::DllExports;
#else
#include "platform/api/types.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"
#include "platform/api/dialogs.h"
#include "platform/api/gdi.h"
#include "platform/api/gdiplus.h"
#include "platform/api/shell.h"
#endif
