// Whether a point lies in a rectangle, its right and bottom edges outside as on Windows.
#pragma once

#include "platform/win32.h"

namespace runtime {

inline bool rect_contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}
