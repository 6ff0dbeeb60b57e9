#include "CompressionDictionary.h"

#include "rom/RomFile.h"

namespace scrivlet {

CompressionDictionary& compressionDictionary()
{
    static CompressionDictionary table;
    return table;
}

void loadDictionary(RomFile& rom, CompressionDictionary& dictionary)
{
    dictionary.slots[0][0] = 0;
    rom.seek(DictionaryOffset);
    int number = 1;
    for (; number < DictionarySlotCount; ++number) {
        auto& slot = dictionary.slots[static_cast<std::size_t>(number)];
        int length = 0;
        int byte = rom.readByte();
        while (byte > 0) {
            if (length < DictionarySlotLength)
                slot[static_cast<std::size_t>(length++)] = static_cast<char>((byte - CharacterOffset) & 0xFF);
            byte = rom.readByte();
        }
        slot[static_cast<std::size_t>(length)] = 0;
        if (byte < 0) { // the file ended inside this string
            ++number;
            break;
        }
    }
    for (; number < DictionarySlotCount; ++number)
        dictionary.slots[static_cast<std::size_t>(number)][0] = 0;
}

} // namespace scrivlet
