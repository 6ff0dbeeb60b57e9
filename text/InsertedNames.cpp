#include "InsertedNames.h"

#include "rom/RomAddress.h"
#include "rom/RomFile.h"

namespace scrivlet {

namespace {

// `count` names, each at the start of its entry (after `skip` bytes), up to its 00.
std::vector<std::vector<std::uint8_t>> readNames(RomFile& rom, std::uint32_t table, int count, int entrySize, int skip)
{
    std::vector<std::vector<std::uint8_t>> names(static_cast<std::size_t>(count));
    const std::int64_t first = snesToFileOffset(table);
    for (int k = 0; k < count; ++k) {
        auto& name = names[static_cast<std::size_t>(k)];
        for (int i = 0; i < NameLength; ++i) {
            const int b = rom.byteAt(first + static_cast<std::int64_t>(k) * entrySize + skip + i);
            if (b < 0x20) // its 00, a code, or the end of the file
                break;
            name.push_back(static_cast<std::uint8_t>(b));
        }
    }
    return names;
}

} // namespace

InsertedNames readInsertedNames(RomFile& rom)
{
    return {readNames(rom, ItemTableAddress, ItemCount, ItemEntrySize, 0),
        readNames(rom, EnemyTableAddress, EnemyCount, EnemyEntrySize, 1)};
}

} // namespace scrivlet
