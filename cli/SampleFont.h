#pragma once

#include <cstdint>
#include <vector>

namespace scrivlet {

// The sample image's main font, drawn for it: 96 glyphs of 32 bytes (two
// strips of 16 rows, left strip first) and their width bytes, each one more
// than the letter's ink, so that with the game's own 1-pixel gap letters
// stand 2 pixels apart.
struct SampleFont {
    std::vector<std::uint8_t> widths;
    std::vector<std::uint8_t> glyphs;
};
SampleFont buildSampleFont();
// Mr. Saturn's font for the sample: the same letters drawn bold and one pixel
// wider, so a switch to it shows.
SampleFont buildSampleSaturnFont();

} // namespace scrivlet
