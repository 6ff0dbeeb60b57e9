#include "TextFit.h"

#include "TextEncoder.h"

#include <algorithm>

namespace scrivlet {

std::vector<std::pair<std::size_t, std::size_t>> cutRanges(std::string_view text, const LayoutSetup& setup,
    CodeGrouping grouping, const CompressionDictionary& dictionary)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const EncodedText placed = encodeDisplayText(text);
    if (placed.bytes.empty())
        return ranges;
    const auto items = textItems(placed.bytes, grouping);
    for (const LaidItem& laid : layOutText(placed.bytes, items, setup, dictionary).items) {
        if (!laid.cut)
            continue;
        const TextItem& item = items[static_cast<std::size_t>(laid.source)];
        const std::size_t from = placed.places[static_cast<std::size_t>(item.offset)].first;
        const std::size_t to = placed.places[static_cast<std::size_t>(item.offset + item.length - 1)].second;
        if (!ranges.empty() && ranges.back().second >= from)
            ranges.back().second = std::max(ranges.back().second, to);
        else
            ranges.emplace_back(from, to);
    }
    return ranges;
}

} // namespace scrivlet
