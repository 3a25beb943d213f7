// Little-endian integers, the byte order of everything the program stores,
// whatever the machine's own: the one place that turns them into bytes and
// back.
#pragma once

#include <cstdint>

// Writes value into pOut[0..1], least significant byte first.
constexpr void EncodeFixed16(unsigned char* pOut, std::uint16_t value)
{
    pOut[0] = static_cast<unsigned char>(value);
    pOut[1] = static_cast<unsigned char>(value >> 8);
}

// Writes value into pOut[0..3], least significant byte first.
constexpr void EncodeFixed32(unsigned char* pOut, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        pOut[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The value of pIn[0..1], least significant byte first.
constexpr std::uint16_t DecodeFixed16(const unsigned char* pIn)
{
    return static_cast<std::uint16_t>(pIn[0] | pIn[1] << 8);
}

// The value of pIn[0..3], least significant byte first.
constexpr std::uint32_t DecodeFixed32(const unsigned char* pIn)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(pIn[i]) << (8 * i);
    return value;
}
