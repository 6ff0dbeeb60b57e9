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
// The same font with room for 128 glyphs: the 96, then the sample's extra
// letters from glyph 96 (byte B0) on, then blank glyphs of width 0.
SampleFont buildSampleFont128();
// The character table that maps the extra letters to their bytes (B0 on),
// as the file beside the sample holds it.
const char* sampleCharacterTable();
// Mr. Saturn's font for the sample: the same letters drawn bold and one pixel
// wider, so a switch to it shows.
SampleFont buildSampleSaturnFont();

} // namespace scrivlet
