#pragma once

#include "text/TextItems.h"

#include <cstdint>
#include <vector>

namespace scrivlet {

class RomFile;

// A block as a listing decodes it: its bytes (with some read past its end, so
// that the last code is grouped on the bytes the decoder saw rather than on
// an end of data), its decoded size, and its items up to that size.
struct BlockItems {
    std::vector<std::uint8_t> bytes;
    int size = 0;
    std::vector<TextItem> items;
};

void readBlockItems(RomFile& rom, std::int32_t fileOffset, CodeGrouping grouping, BlockItems& block);

} // namespace scrivlet
