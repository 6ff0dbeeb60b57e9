#include "TextFit.h"

#include "TextEncoder.h"

#include <algorithm>

namespace scrivlet {

PlacedBytes encodeWithPlaces(std::string_view text)
{
    PlacedBytes placed;
    if (encodedSize(text) < 0)
        return placed;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '[') {
            placed.bytes.push_back(static_cast<std::uint8_t>((static_cast<unsigned char>(text[i]) + CharacterOffset) & 0xFF));
            placed.places.emplace_back(i, i + 1);
            ++i;
            continue;
        }
        const std::size_t close = text.find(']', i + 1);
        for (std::size_t t = i + 1; t < close;) {
            while (t < close && text[t] == ' ')
                ++t;
            if (t >= close)
                break;
            const std::size_t from = t;
            std::uint32_t value = 0;
            while (t < close && text[t] != ' ')
                value = value * 16 + static_cast<std::uint32_t>(hexDigitValue(text[t++]));
            placed.bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
            placed.places.emplace_back(from, t);
        }
        i = close + 1;
    }
    return placed;
}

std::vector<std::pair<std::size_t, std::size_t>> cutRanges(std::string_view text, const LayoutSetup& setup,
    CodeGrouping grouping, const CompressionDictionary& dictionary)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const PlacedBytes placed = encodeWithPlaces(text);
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
