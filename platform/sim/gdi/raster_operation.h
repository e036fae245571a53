// Raster operations: the ternary operations of BitBlt and the mix modes of SetROP2.
#pragma once

#include "platform/api/types.h"

#include <cstdint>

namespace sim {

// A ternary raster operation, kept as its truth table over pattern, source and destination. It
// works on all 32 bits of a pixel, alpha byte included, as Windows does on 32-bit bitmaps.
class RasterOperation {
public:
    explicit RasterOperation(DWORD rop)
        : m_code(uint8_t(rop >> 16))
    {
    }
    static RasterOperation from_mix_mode(int mix_mode);

    uint8_t code() const { return m_code; }
    bool uses_pattern() const { return ((m_code >> 4) & 0x0F) != (m_code & 0x0F); }
    bool uses_source() const { return ((m_code >> 2) & 0x33) != (m_code & 0x33); }
    bool uses_destination() const { return ((m_code >> 1) & 0x55) != (m_code & 0x55); }
    bool is_source_copy() const { return m_code == 0xCC; }

    uint32_t apply(uint32_t pattern, uint32_t source, uint32_t destination) const;

private:
    explicit RasterOperation(uint8_t code, bool)
        : m_code(code)
    {
    }

    uint8_t m_code = 0xCC;
};

}
