#pragma once

#include "TextCatalogue.h"
#include "text/ControlCodes.h"
#include "text/GameFont.h"

#include <vector>

namespace scrivlet {

// A line of a block wider than the window lets it be.
struct FitOverflow {
    int row = 0;   // the first row of the listing with the block
    int line = 0;  // counted from 1 within the block
    int width = 0; // pixels
};

// Every line wider than `limit` in the blocks of `catalogue` (each block once,
// at its first row), in row and line order, decoded as the listing decodes.
std::vector<FitOverflow> checkFit(RomFile& rom, const TextCatalogue& catalogue, const GameFont& font, int limit, CodeGrouping grouping);

} // namespace scrivlet
