#pragma once

#include "TextCatalogue.h"
#include "text/ControlCodes.h"
#include "text/TextLayout.h"

#include <string>
#include <vector>

namespace scrivlet {

// A place where the game's window fails a block's text: a word or name it
// cuts, or (when asked for) lines that scroll away before a wait.
struct FitFinding {
    enum class Kind { Cut, Scroll };
    Kind kind = Kind::Cut;
    int row = 0;  // the first row of the listing with the block
    int line = 0; // after wrapping, from 1: where the word starts, or the first line that scrolls away
    std::string detail;
};

// "Zzzzz (142 px, room 130 px)", "[1C 02 00] (up to 250 px, room 130 px)".
std::string describeCut(const CutWord& cut);
// "4 lines between waits, 3 shown".
std::string describeScroll(const ScrollAway& scroll, int shown);

// Every cut word (and with `scrolls`, every stretch that scrolls away) in the
// blocks of `catalogue`, each block once at its first row, in row order, cuts
// before scrolls within a block, decoded as the listing decodes.
std::vector<FitFinding> checkFit(RomFile& rom, const TextCatalogue& catalogue, const LayoutSetup& setup, CodeGrouping grouping,
    bool scrolls = false);

} // namespace scrivlet
