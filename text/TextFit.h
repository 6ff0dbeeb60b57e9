#pragma once

#include "CompressionDictionary.h"
#include "GameFont.h"
#include "TextItems.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace scrivlet {

// One item of game text as the window draws it: how far along its line it
// starts and how wide it is. The codes 00 and 01 end the line they are on.
struct MeasuredItem {
    TextItem item;
    int line = 0;  // counted from 0 within the bytes measured
    int x = 0;     // pixels of its line before it
    int width = 0; // a character's glyph width, a string's widths, a name's room
    bool endsLine = false;
};

struct TextMeasure {
    std::vector<MeasuredItem> items;
    std::vector<int> lineWidths; // one per line, the last line too (so never empty)
};

// Pixels each item takes: a character byte its glyph width; a dictionary
// reference the widths of its string's characters (space to 0x7F; others 0);
// a code whose table row inserts n characters n x the widest capital; other codes 0.
TextMeasure measureText(std::span<const std::uint8_t> bytes, std::span<const TextItem> items, const GameFont& font,
    const CompressionDictionary& dictionary = compressionDictionary());

// Display text encoded with, for each byte, where it came from in the text:
// a character its own place, a byte of a group its token's [from, to).
struct PlacedBytes {
    std::vector<std::uint8_t> bytes;
    std::vector<std::pair<std::size_t, std::size_t>> places;
};
// Empty for a text with a bracket error (nothing can be measured then).
PlacedBytes encodeWithPlaces(std::string_view text);

// The parts of display text that lie past `limit` pixels on their line, as
// ranges of text places, for the edit box to mark as they are typed.
std::vector<std::pair<std::size_t, std::size_t>> overflowRanges(std::string_view text, int limit, const GameFont& font,
    CodeGrouping grouping, const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
