#include "CompressionDictionary.h"

#include "Utf8.h"
#include "rom/RomFile.h"

#include <algorithm>
#include <string>

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
        int characters = 0;
        std::string text;
        int byte = rom.readByte();
        while (byte > 0) {
            if (characters++ < DictionarySlotLength)
                appendUtf8(text, static_cast<char32_t>((byte - CharacterOffset) & 0xFF));
            byte = rom.readByte();
        }
        std::copy(text.begin(), text.end(), slot.begin());
        slot[text.size()] = 0;
        if (byte < 0) { // the file ended inside this string
            ++number;
            break;
        }
    }
    for (; number < DictionarySlotCount; ++number)
        dictionary.slots[static_cast<std::size_t>(number)][0] = 0;
}

} // namespace scrivlet
