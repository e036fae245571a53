#include "platform/sim/gdi/raster_operation.h"

namespace sim {

// A mix mode's value less one is its truth table over pen and destination; spreading it over the
// source's place gives the ternary operation with the pen as the pattern.
RasterOperation RasterOperation::from_mix_mode(int mix_mode)
{
    uint8_t table = uint8_t((mix_mode - 1) & 0x0F);
    uint8_t code = 0;
    for (int index = 0; index < 8; ++index) {
        int pattern = (index >> 2) & 1;
        int destination = index & 1;
        if ((table >> ((pattern << 1) | destination)) & 1)
            code |= uint8_t(1 << index);
    }
    return RasterOperation(code, true);
}

uint32_t RasterOperation::apply(uint32_t pattern, uint32_t source, uint32_t destination) const
{
    switch (m_code) {
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFFFFu;
    case 0xCC:
        return source;
    case 0xF0:
        return pattern;
    case 0xAA:
        return destination;
    case 0x55:
        return ~destination;
    case 0x33:
        return ~source;
    case 0xEE:
        return source | destination;
    case 0x88:
        return source & destination;
    case 0x66:
        return source ^ destination;
    case 0x5A:
        return pattern ^ destination;
    case 0xA0:
        return pattern & destination;
    case 0xFA:
        return pattern | destination;
    case 0xC0:
        return pattern & source;
    }
    uint32_t result = 0;
    for (int index = 0; index < 8; ++index) {
        if (!((m_code >> index) & 1))
            continue;
        uint32_t term = (index & 4) ? pattern : ~pattern;
        term &= (index & 2) ? source : ~source;
        term &= (index & 1) ? destination : ~destination;
        result |= term;
    }
    return result;
}

}
