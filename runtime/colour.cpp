#include "runtime/colour.h"

namespace runtime {

COLORREF to_colorref(long colour)
{
    if ((static_cast<unsigned long>(colour) & 0x80000000ul) == 0)
        return static_cast<COLORREF>(colour & 0xFFFFFF);
    // The classic scheme, indexed by the system colour number.
    static constexpr COLORREF scheme[] = {
        RGB(192, 192, 192), RGB(58, 110, 165), RGB(10, 36, 106), RGB(128, 128, 128),
        RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0),
        RGB(0, 0, 0), RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
        RGB(128, 128, 128), RGB(10, 36, 106), RGB(255, 255, 255), RGB(212, 208, 200),
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0), RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(64, 64, 64), RGB(212, 208, 200), RGB(0, 0, 0),
        RGB(255, 255, 225),
    };
    unsigned index = static_cast<unsigned>(colour & 0xFF);
    if (index >= sizeof scheme / sizeof scheme[0])
        return RGB(0, 0, 0);
    return scheme[index];
}

}
