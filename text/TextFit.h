#pragma once

#include "CompressionDictionary.h"
#include "TextLayout.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace scrivlet {

// Display text encoded with, for each byte, where it came from in the text:
// a character its own place, a byte of a group its token's [from, to).
struct PlacedBytes {
    std::vector<std::uint8_t> bytes;
    std::vector<std::pair<std::size_t, std::size_t>> places;
};
// Empty for a text with a bracket error (nothing can be measured then).
PlacedBytes encodeWithPlaces(std::string_view text);

// The parts of display text that the game's window cuts (the letters of a
// cut word from where the cut begins, a name's whole code), as ranges of
// text places, for the edit box to mark as they are typed.
std::vector<std::pair<std::size_t, std::size_t>> cutRanges(std::string_view text, const LayoutSetup& setup,
    CodeGrouping grouping, const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
