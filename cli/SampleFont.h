#pragma once

#include <cstdint>
#include <vector>

namespace scrivlet {

// The sample image's main font, drawn for it: 96 glyphs of 32 bytes (two
// strips of 16 rows, left strip first) and their widths, gap included.
struct SampleFont {
    std::vector<std::uint8_t> widths;
    std::vector<std::uint8_t> glyphs;
};
SampleFont buildSampleFont();

} // namespace scrivlet
