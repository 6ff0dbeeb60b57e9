#include "TextFit.h"

#include "TextEncoder.h"

#include <algorithm>

namespace scrivlet {

namespace {

int itemWidth(std::span<const std::uint8_t> bytes, const TextItem& item, const GameFont& font, const CompressionDictionary& dictionary)
{
    const auto code = bytes.subspan(static_cast<std::size_t>(item.offset), static_cast<std::size_t>(item.length));
    switch (item.kind) {
    case ByteClass::Character:
        return font.width(code[0]);
    case ByteClass::DictionaryReference: {
        if (code.size() < 2)
            return 0;
        int width = 0;
        for (char c : dictionary.slot((code[0] - 0x15) * 256 + code[1])) {
            const int u = static_cast<unsigned char>(c);
            if (u >= 0x20 && u <= 0x7F)
                width += font.width(u + CharacterOffset);
        }
        return width;
    }
    case ByteClass::ControlCode: {
        const ControlCodeInfo* row = codeRow(code);
        return row ? row->inserts * font.widestCapital() : 0;
    }
    }
    return 0;
}

} // namespace

TextMeasure measureText(std::span<const std::uint8_t> bytes, std::span<const TextItem> items, const GameFont& font,
    const CompressionDictionary& dictionary)
{
    TextMeasure measure;
    measure.items.reserve(items.size());
    int line = 0, x = 0;
    for (const TextItem& item : items) {
        MeasuredItem m{item, line, x, itemWidth(bytes, item, font, dictionary), false};
        const int first = bytes[static_cast<std::size_t>(item.offset)];
        m.endsLine = item.kind == ByteClass::ControlCode && (first == 0x00 || first == 0x01);
        x += m.width;
        measure.items.push_back(m);
        if (m.endsLine) {
            measure.lineWidths.push_back(x);
            ++line;
            x = 0;
        }
    }
    measure.lineWidths.push_back(x);
    return measure;
}

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

std::vector<std::pair<std::size_t, std::size_t>> overflowRanges(std::string_view text, int limit, const GameFont& font,
    CodeGrouping grouping, const CompressionDictionary& dictionary)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const PlacedBytes placed = encodeWithPlaces(text);
    if (placed.bytes.empty())
        return ranges;
    const auto items = textItems(placed.bytes, grouping);
    for (const MeasuredItem& m : measureText(placed.bytes, items, font, dictionary).items) {
        if (m.width == 0 || m.x + m.width <= limit)
            continue;
        const std::size_t from = placed.places[static_cast<std::size_t>(m.item.offset)].first;
        const std::size_t to = placed.places[static_cast<std::size_t>(m.item.offset + m.item.length - 1)].second;
        if (!ranges.empty() && ranges.back().second >= from)
            ranges.back().second = std::max(ranges.back().second, to);
        else
            ranges.emplace_back(from, to);
    }
    return ranges;
}

} // namespace scrivlet
