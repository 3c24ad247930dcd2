#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Little-endian byte assembly for the RIFF, BMP, ICO and PNG writers.
class ByteBuffer
{
public:
    void u8(unsigned v) { m_bytes.push_back(std::uint8_t(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    void u32be(std::uint32_t v) { u8(v >> 24); u8((v >> 16) & 0xFF); u8((v >> 8) & 0xFF); u8(v & 0xFF); }
    void tag(std::string_view t) { for (char c : t) u8(std::uint8_t(c)); }
    void append(const std::vector<std::uint8_t> &more) { m_bytes.insert(m_bytes.end(), more.begin(), more.end()); }
    void patch32(std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = std::uint8_t((v >> (8 * i)) & 0xFF);
    }

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t> &bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};
