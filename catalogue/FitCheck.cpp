#include "FitCheck.h"

#include "BlockItems.h"
#include "rom/RomAddress.h"
#include "text/TextFit.h"

#include <unordered_set>

namespace scrivlet {

std::vector<FitOverflow> checkFit(RomFile& rom, const TextCatalogue& catalogue, const GameFont& font, int limit, CodeGrouping grouping)
{
    std::vector<FitOverflow> found;
    std::unordered_set<std::int32_t> checked;
    BlockItems block;
    for (int row = 0; row < catalogue.count; ++row) {
        const std::int32_t address = catalogue.rows[static_cast<std::size_t>(row)].snesAddress;
        if (!checked.insert(address).second)
            continue;
        readBlockItems(rom, snesToFileOffset(static_cast<std::uint32_t>(address)), grouping, block);
        const TextMeasure measure = measureText(block.bytes, block.items, font);
        for (std::size_t line = 0; line < measure.lineWidths.size(); ++line)
            if (measure.lineWidths[line] > limit)
                found.push_back({row, static_cast<int>(line) + 1, measure.lineWidths[line]});
    }
    return found;
}

} // namespace scrivlet
