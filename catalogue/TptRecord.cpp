#include "TptRecord.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"

#include <cstdlib>

namespace scrivlet {

std::uint32_t parseAddressText(const char* text)
{
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 16));
}

bool isValidTextPointer(std::int32_t textPointer)
{
    const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(textPointer));
    return offset >= TptValidFirstOffset && offset <= TptValidLastOffset;
}

TextEntry readTptRecord(RomFile& rom, std::int32_t recordOffset)
{
    int bytes[TptRecordSize];
    for (int& b : bytes)
        b = rom.readByte();
    TextEntry entry;
    entry.tptRecordOffset = recordOffset;
    entry.spriteNumber = bytes[TptRecord::SpriteNumberAt] + 256 * bytes[TptRecord::SpriteNumberAt + 1];
    entry.movementNumber = bytes[TptRecord::MovementNumberAt];
    const int* p = bytes + TptRecord::TextPointerAt;
    const std::uint32_t pointer = static_cast<std::uint32_t>(p[0]) + (static_cast<std::uint32_t>(p[1]) << 8)
        + (static_cast<std::uint32_t>(p[2]) << 16) + (static_cast<std::uint32_t>(p[3]) << 24);
    entry.snesAddress = static_cast<std::int32_t>(pointer);
    return entry;
}

void scanPointerTable(TextCatalogue& catalogue, RomFile& rom)
{
    rom.seek(TptFirstRecord);
    for (std::int32_t r = TptFirstRecord; static_cast<std::uint32_t>(r) < static_cast<std::uint32_t>(TptEnd);
         r += TptRecordSize) {
        const TextEntry entry = readTptRecord(rom, r);
        if (isValidTextPointer(entry.snesAddress) && !catalogue.append(entry))
            return;
    }
}

WriteStatus writeTptRecord(RomFile& rom, std::int32_t recordOffset, std::uint32_t textPointer,
    int spriteNumber, int movementNumber)
{
    const auto at = [recordOffset](int field) { return static_cast<std::int64_t>(recordOffset) + field; };
    const ByteRun runs[] = {
        {at(TptRecord::SpriteNumberAt),
            {static_cast<std::uint8_t>(spriteNumber & 0xFF), static_cast<std::uint8_t>((spriteNumber >> 8) & 0xFF)}},
        {at(TptRecord::MovementNumberAt), {static_cast<std::uint8_t>(movementNumber & 0xFF)}},
        {at(TptRecord::TextPointerAt),
            {static_cast<std::uint8_t>(textPointer & 0xFF), static_cast<std::uint8_t>((textPointer >> 8) & 0xFF),
                static_cast<std::uint8_t>((textPointer >> 16) & 0xFF), static_cast<std::uint8_t>(textPointer >> 24)}},
    };
    return rom.write(runs);
}

} // namespace scrivlet
