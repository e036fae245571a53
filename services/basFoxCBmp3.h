// basFoxCBmp3: the program's declarations of the image-effects library "norvex.dll".
// The library is loaded on first use, found by the system's library search (the program folder
// first). A call whose library or entry point cannot be found fails with the runtime's error, so
// the calling statement is skipped and the picture stays as it was. No result is needed by the
// callers; each call returns the library's own (nonzero when the effect ran).
#pragma once

#include "platform/win32.h"

// Softens the persistent image once, in place; both pairs name the same box's hDC and Image.
LONG FoxBlur(HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG& reserved, LONG reserved1, LONG reserved2);

// The destination bitmap receives the source bitmap with its brightness shifted by amount.
LONG FoxBrightness(
    HDC hdcDest, HBITMAP hbmDest, HDC hdcSrc, HBITMAP hbmSrc, LONG amount, LONG reserved1, LONG reserved2);

// Lays the source rectangle over the destination one at the constant alpha, leaving out source
// pixels of the key colour.
LONG FoxAlphaBlend(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc, LONG ySrc,
    BYTE alpha, COLORREF keyColor, LONG reserved);

// Recolours: the hue turned by hue degrees, the saturation multiplied by saturation.
LONG FoxHSL(HDC hdcDest, LONG xDest, LONG yDest, LONG width, LONG height, HDC hdcSrc, LONG xSrc, LONG ySrc, FLOAT hue,
    FLOAT saturation, LONG reserved1, LONG reserved2, LONG reserved3);
