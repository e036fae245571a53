#include "services/basFoxCBmp3.h"

#include "runtime/error.h"

#include <string>

namespace {

constexpr const char* library_name = "norvex.dll";

typedef LONG(WINAPI* FoxBlurEntry)(HDC, HBITMAP, HDC, HBITMAP, LONG*, LONG, LONG);
typedef LONG(WINAPI* FoxBrightnessEntry)(HDC, HBITMAP, HDC, HBITMAP, LONG, LONG, LONG);
typedef LONG(WINAPI* FoxAlphaBlendEntry)(HDC, LONG, LONG, LONG, LONG, HDC, LONG, LONG, BYTE, COLORREF, LONG);
typedef LONG(WINAPI* FoxHSLEntry)(HDC, LONG, LONG, LONG, LONG, HDC, LONG, LONG, FLOAT, FLOAT, LONG, LONG, LONG);

// Finds an entry point, loading the library the first time. The module is looked up on every
// call rather than kept: the library may have been unloaded since, and a kept address would then
// point nowhere.
template <typename Entry>
Entry entry_point(const char* name)
{
    HMODULE library = GetModuleHandleA(library_name);
    if (!library)
        library = LoadLibraryA(library_name);
    if (!library)
        runtime::raise(runtime::ErrDllNotFound, std::string("File not found: ") + library_name);
    FARPROC entry = GetProcAddress(library, name);
    if (!entry)
        runtime::raise(
            runtime::ErrEntryPointNotFound, std::string("Can't find DLL entry point ") + name + " in " + library_name);
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(entry));
}

}

LONG FoxBlur(HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG& reserved, LONG reserved1, LONG reserved2)
{
    return entry_point<FoxBlurEntry>("FoxBlur")(hdcDest, hbmDest, hdcSrc, hbmSrc, &reserved, reserved1, reserved2);
}

LONG FoxBrightness(
    HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG amount, LONG reserved1, LONG reserved2)
{
    return entry_point<FoxBrightnessEntry>("FoxBrightness")(
        hdcDest, hbmDest, hdcSrc, hbmSrc, amount, reserved1, reserved2);
}

LONG FoxAlphaBlend(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc, LONG ySrc,
    BYTE alpha, COLORREF keyColor, LONG reserved)
{
    return entry_point<FoxAlphaBlendEntry>("FoxAlphaBlend")(
        hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, alpha, keyColor, reserved);
}

LONG FoxHSL(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc, LONG ySrc, FLOAT hue,
    FLOAT saturation, LONG reserved1, LONG reserved2, LONG reserved3)
{
    return entry_point<FoxHSLEntry>("FoxHSL")(
        hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, hue, saturation, reserved1, reserved2, reserved3);
}
