#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scrivlet {

class RomFile;

inline constexpr std::int32_t DictionaryOffset = 0x8BE3E;
inline constexpr int DictionarySlotCount = 768;
inline constexpr int DictionarySlotLength = 24;
// Display character = game byte - CharacterOffset (mod 256).
inline constexpr int CharacterOffset = 0x30;

// Bytes of a slot: each display character takes at most two bytes of UTF-8.
inline constexpr int DictionarySlotBytes = 2 * DictionarySlotLength;

// The game's common strings, already converted to display characters (UTF-8).
// Slot 0 is always empty; slot (code - 0x15) * 256 + index is what a
// reference names.
struct CompressionDictionary {
    std::array<std::array<char, DictionarySlotBytes + 1>, DictionarySlotCount> slots{};

    std::string_view slot(int number) const
    {
        if (number < 0 || number >= DictionarySlotCount)
            return {};
        return std::string_view(slots[static_cast<std::size_t>(number)].data());
    }
};

// The table every decode reads; refilled by each listing build.
CompressionDictionary& compressionDictionary();

// Refills slots 1..767 from the strings stored one after another at 0x8BE3E.
// A string longer than 24 characters is cut to 24 and the load stays in step
// (the next slot starts after its terminator). A file that ends early ends the
// load; the slots not reached are left empty.
void loadDictionary(RomFile& rom, CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
