// Declarations of the GDI+ flat interface the program uses. Types live in namespace Gdiplus and
// the functions in Gdiplus::DllExports, so that the same program code reads the same on Windows,
// where the platform header brings the functions in with a using-directive, as this header does.
#pragma once

#include "platform/api/types.h"

#define WINGDIPAPI WINAPI
#define GDIPCONST const

namespace Gdiplus {

typedef float REAL;
typedef DWORD ARGB;
typedef uint32_t UINT32;
typedef INT PixelFormat;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
typedef Status GpStatus;

// How drawing combines with what lies below: laid over it by alpha, or replacing it.
enum CompositingMode { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
typedef VOID(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef VOID(WINAPI* NotificationUnhookProc)(ULONG_PTR token);

struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;

    GdiplusStartupInput(DebugEventProc debugEventCallback = nullptr, BOOL suppressBackgroundThread = FALSE,
        BOOL suppressExternalCodecs = FALSE)
        : GdiplusVersion(1)
        , DebugEventCallback(debugEventCallback)
        , SuppressBackgroundThread(suppressBackgroundThread)
        , SuppressExternalCodecs(suppressExternalCodecs)
    {
    }
};

struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

// Opaque handles of the flat interface.
class GpImage { };
class GpBitmap : public GpImage { };
class GpGraphics { };

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
VOID WINAPI GdiplusShutdown(ULONG_PTR token);

namespace DllExports {

GpStatus WINGDIPAPI GdipLoadImageFromFile(GDIPCONST WCHAR* filename, GpImage** image);
GpStatus WINGDIPAPI GdipCreateBitmapFromFile(GDIPCONST WCHAR* filename, GpBitmap** bitmap);
GpStatus WINGDIPAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
    GpBitmap** bitmap);
GpStatus WINGDIPAPI GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background);
GpStatus WINGDIPAPI GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image);
GpStatus WINGDIPAPI GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus WINGDIPAPI GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus WINGDIPAPI GdipDeleteGraphics(GpGraphics* graphics);
GpStatus WINGDIPAPI GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode);
GpStatus WINGDIPAPI GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height);
GpStatus WINGDIPAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);

}

}

// 32 bits a pixel, the colours premultiplied by the alpha: the format GDI+ draws fastest from.
inline constexpr Gdiplus::PixelFormat PixelFormat32bppPARGB = 0x000E200B;

using namespace Gdiplus::DllExports;
