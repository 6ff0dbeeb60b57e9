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

bool writeTptRecord(RomFile& rom, std::int32_t recordOffset, std::uint32_t textPointer,
    int spriteNumber, int movementNumber)
{
    rom.clearWriteError();
    bool ok = rom.seek(recordOffset + TptRecord::SpriteNumberAt) && rom.flush();
    ok = ok && rom.writeByte(spriteNumber & 0xFF) && rom.writeByte((spriteNumber >> 8) & 0xFF);
    ok = ok && rom.seek(recordOffset + TptRecord::MovementNumberAt) && rom.flush();
    ok = ok && rom.writeByte(movementNumber & 0xFF);
    ok = ok && rom.seek(recordOffset + TptRecord::TextPointerAt) && rom.flush();
    for (int shift = 0; ok && shift < 32; shift += 8)
        ok = rom.writeByte(static_cast<int>((textPointer >> shift) & 0xFF));
    return ok && rom.flush();
}

} // namespace scrivlet
