#pragma once

#include "rom/RomFile.h"

#include <cstdint>

namespace scrivlet {

struct TextCatalogue;
struct TextEntry;

inline constexpr int TptRecordSize = 17;
inline constexpr std::int32_t TptFirstRecord = 0xF8B92;
inline constexpr std::int32_t TptEnd = 0xFE8F0; // exclusive
inline constexpr int TptRecordCount = (TptEnd - TptFirstRecord) / TptRecordSize;

// Record layout (little-endian): sprite number at byte 5 (2 bytes), movement
// number at byte 8 (1 byte), text pointer at byte 13 (4 bytes). The other
// bytes are neither read nor written.
struct TptRecord {
    static constexpr int SpriteNumberAt = 5;
    static constexpr int MovementNumberAt = 8;
    static constexpr int TextPointerAt = 13;
};

// Pointers that give a catalogue row map into 0x51D12..0x4001FF inclusive.
inline constexpr std::int32_t TptValidFirstOffset = 0x51D12;
inline constexpr std::int32_t TptValidLastOffset = 0x4001FF;
bool isValidTextPointer(std::int32_t textPointer);

// The limits the record editor lets through.
inline constexpr int TptAddressMaxChars = 6;
inline constexpr int TptSpriteMax = 463;
inline constexpr int TptMovementMax = 255;

// Reads an address field as the standard unsigned conversion in base 16 does:
// leading white space, an optional sign (minus negates modulo 2^32), an
// optional 0x or 0X, then hex digits up to the first other character. No
// digits gives 0.
std::uint32_t parseAddressText(const char* text);

// Reads the next 17 bytes of the stream as the record at `recordOffset`. A read
// at end of file enters the sums as -1, so a cut-off pointer turns negative.
TextEntry readTptRecord(RomFile& rom, std::int32_t recordOffset);

// Appends one row per record whose pointer is valid, in table order.
void scanPointerTable(TextCatalogue& catalogue, RomFile& rom);

// Writes the three editable fields of the record at `recordOffset` and nothing
// else, all three or none.
WriteStatus writeTptRecord(RomFile& rom, std::int32_t recordOffset, std::uint32_t textPointer,
    int spriteNumber, int movementNumber);

} // namespace scrivlet
