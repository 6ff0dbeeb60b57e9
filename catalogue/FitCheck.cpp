#include "FitCheck.h"

#include "BlockItems.h"
#include "rom/RomAddress.h"

#include <unordered_set>

namespace scrivlet {

std::string describeCut(const CutWord& cut)
{
    return cut.text + " (" + (cut.bound ? "up to " : "") + std::to_string(cut.width) + " px, room " + std::to_string(cut.room) + " px)";
}

std::string describeScroll(const ScrollAway& scroll, int shown)
{
    return std::to_string(scroll.lines) + " lines between waits, " + std::to_string(shown) + " shown";
}

std::vector<FitFinding> checkFit(RomFile& rom, const TextCatalogue& catalogue, const LayoutSetup& setup, CodeGrouping grouping,
    bool scrolls)
{
    std::vector<FitFinding> found;
    std::unordered_set<std::int32_t> checked;
    BlockItems block;
    for (int row = 0; row < catalogue.count; ++row) {
        const std::int32_t address = catalogue.rows[static_cast<std::size_t>(row)].snesAddress;
        if (!checked.insert(address).second)
            continue;
        readBlockItems(rom, snesToFileOffset(static_cast<std::uint32_t>(address)), grouping, block);
        const TextLayout layout = layOutText(block.bytes, block.items, setup);
        for (const CutWord& cut : layout.cuts)
            found.push_back({FitFinding::Kind::Cut, row, cut.line + 1, describeCut(cut)});
        if (scrolls)
            for (const ScrollAway& scroll : layout.scrolls)
                found.push_back({FitFinding::Kind::Scroll, row, scroll.firstLine + 1, describeScroll(scroll, setup.lines)});
    }
    return found;
}

} // namespace scrivlet
