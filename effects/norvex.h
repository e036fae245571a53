// The interface of norvex.dll: four image effects on the bitmaps of device contexts, exported as
// plain stdcall functions. Each returns TRUE when it ran and FALSE when a handle was unusable;
// the trailing arguments are reserved and not looked at.
#pragma once

#include "platform/win32.h"

#ifndef NORVEX_API
#define NORVEX_API
#endif

extern "C" {

// Softens the bitmap once, in place: hbmDest, or the bitmap selected into hdcDest when it is
// null. The source pair names the same bitmap and is not used.
NORVEX_API LONG WINAPI FoxBlur(
    HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG* lpReserved, LONG reserved1, LONG reserved2);

// Writes the source bitmap into the destination bitmap with every colour channel shifted by
// amount (clamped to 0..255), over the part both bitmaps cover. Source and destination may be
// the same bitmap.
NORVEX_API LONG WINAPI FoxBrightness(
    HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG amount, LONG reserved1, LONG reserved2);

// Lays the source rectangle over the destination rectangle at the constant alpha, leaving out
// source pixels whose colour is the key colour.
NORVEX_API LONG WINAPI FoxAlphaBlend(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc,
    LONG xSrc, LONG ySrc, BYTE alpha, COLORREF keyColor, LONG reserved);

// Writes the source rectangle recoloured into the destination rectangle: the hue turned by hue
// degrees and the saturation multiplied by saturation.
NORVEX_API LONG WINAPI FoxHSL(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc,
    LONG ySrc, FLOAT hue, FLOAT saturation, LONG reserved1, LONG reserved2, LONG reserved3);
}
