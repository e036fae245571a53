// Little-endian fields appended to a byte buffer, as the Windows file formats store them.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& bytes)
        : m_bytes(bytes)
    {
    }

    void u8(std::uint32_t value) { m_bytes.push_back(std::uint8_t(value)); }
    void u16(std::uint32_t value)
    {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value)
    {
        u16(value);
        u16(value >> 16);
    }
    void pad_to_four(std::size_t row_start)
    {
        while ((m_bytes.size() - row_start) % 4 != 0)
            u8(0);
    }
    std::size_t size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t>& m_bytes;
};

}
