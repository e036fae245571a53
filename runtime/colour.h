// Colours as the forms store them: 0x00BBGGRR, or a system colour with the high bit set.
#pragma once

#include "platform/win32.h"

namespace runtime {

// Colours of forms and controls as the system's code spells them.
inline constexpr long vbBlack = 0x000000;
inline constexpr long vbWhite = 0xFFFFFF;
inline constexpr long vbButtonFace = static_cast<long>(0x8000000F);
inline constexpr long vbWindowBackground = static_cast<long>(0x80000005);
inline constexpr long vbWindowText = static_cast<long>(0x80000008);
inline constexpr long vbButtonText = static_cast<long>(0x80000012);
inline constexpr long vbHighlight = static_cast<long>(0x8000000D);
inline constexpr long vbHighlightText = static_cast<long>(0x8000000E);
inline constexpr long vbButtonShadow = static_cast<long>(0x80000010);

// The RGB value to draw with: system colours resolve to the classic desktop scheme, so that
// a picture is the same on every machine.
COLORREF to_colorref(long colour);

}
