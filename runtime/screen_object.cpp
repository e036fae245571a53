#include "runtime/screen_object.h"

#include "platform/win32.h"
#include "runtime/numeric.h"

namespace runtime {

float ScreenObject::Width() const
{
    return static_cast<float>(GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel);
}

float ScreenObject::Height() const
{
    return static_cast<float>(GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel);
}

float ScreenObject::TwipsPerPixelX() const
{
    return TwipsPerPixel;
}

float ScreenObject::TwipsPerPixelY() const
{
    return TwipsPerPixel;
}

}
