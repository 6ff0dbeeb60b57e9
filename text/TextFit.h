#pragma once

#include "CompressionDictionary.h"
#include "TextEncoder.h"
#include "TextLayout.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace scrivlet {

// The parts of display text that the game's window cuts (the letters of a
// cut word from where the cut begins, a name's whole code), as ranges of
// text places, for the edit box to mark as they are typed.
std::vector<std::pair<std::size_t, std::size_t>> cutRanges(std::string_view text, const LayoutSetup& setup,
    CodeGrouping grouping, const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
