#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace scrivlet {

// HiROM with a 512-byte copier header: file offset 0x200 is SNES $C00000.
inline constexpr std::int32_t CopierHeaderSize = 0x200;
inline constexpr std::uint32_t SnesFileBias = 0xBFFE00;

// Wrap-around arithmetic, no range check: an address below $C00000 gives an
// offset inside the header or a negative one, which callers must filter.
constexpr std::int32_t snesToFileOffset(std::uint32_t snesAddress)
{
    return static_cast<std::int32_t>(snesAddress - SnesFileBias);
}

constexpr std::uint32_t fileOffsetToSnes(std::int32_t fileOffset)
{
    return static_cast<std::uint32_t>(fileOffset) + SnesFileBias;
}

// An SNES address as people write it: "$C51B12" (the low 24 bits).
inline std::string dollarAddress(std::uint32_t snesAddress)
{
    char text[16];
    std::snprintf(text, sizeof text, "$%06X", snesAddress & 0xFFFFFFu);
    return text;
}

} // namespace scrivlet
