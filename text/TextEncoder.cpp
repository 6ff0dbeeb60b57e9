#include "TextEncoder.h"

#include "CompressionDictionary.h"

#include <algorithm>
#include <cctype>

namespace scrivlet {

namespace {

// Walks one group from its "[" (at `start`) through its "]", calling `emit`
// with each token value. Returns the position after the "]".
template <typename Emit>
std::size_t scanGroup(std::string_view text, std::size_t start, Emit&& emit)
{
    std::size_t i = start + 1;
    for (;;) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size() || text[i] == ']')
            return i + 1;
        std::uint32_t value = 0;
        while (i < text.size() && text[i] != ' ' && text[i] != ']')
            value = value * 16 + static_cast<std::uint32_t>(hexDigitValue(text[i++]));
        emit(value);
    }
}

// Encodes into `emit`; false if a group has no "]" after its "[".
template <typename Emit>
bool encodeInto(std::string_view text, Emit&& emit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            if (text.find(']', i + 1) == std::string_view::npos)
                return false;
            i = scanGroup(text, i, [&](std::uint32_t value) { emit(static_cast<std::uint8_t>(value & 0xFF)); });
        } else {
            emit(static_cast<std::uint8_t>((static_cast<unsigned char>(text[i]) + CharacterOffset) & 0xFF));
            ++i;
        }
    }
    return true;
}

} // namespace

int hexDigitValue(char c)
{
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (upper >= '0' && upper <= '9')
        return upper - '0';
    if (upper >= 'A' && upper <= 'F')
        return upper - 'A' + 10;
    return 0;
}

std::vector<std::uint32_t> parseBracketGroup(std::string_view group)
{
    std::vector<std::uint32_t> values;
    if (!group.empty() && group.front() == '[')
        scanGroup(group, 0, [&](std::uint32_t value) { values.push_back(value); });
    return values;
}

std::vector<std::uint8_t> encodeText(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size());
    encodeInto(text, [&](std::uint8_t b) { bytes.push_back(b); });
    return bytes;
}

int encodedSize(std::string_view text)
{
    if (text.empty())
        return 0;
    if (std::count(text.begin(), text.end(), '[') != std::count(text.begin(), text.end(), ']'))
        return -1;
    int count = 0;
    if (!encodeInto(text, [&](std::uint8_t) { ++count; }))
        return -1;
    return count;
}

std::vector<std::pair<std::size_t, std::size_t>> bracketErrorRanges(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    if (encodedSize(text) != -1)
        return ranges;
    std::vector<std::pair<std::size_t, std::size_t>> unbalanced;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ']') {
            unbalanced.emplace_back(i, i + 1);
            ++i;
            continue;
        }
        if (text[i] != '[') {
            ++i;
            continue;
        }
        const std::size_t close = text.find(']', i + 1);
        if (close == std::string_view::npos) {
            ranges.emplace_back(i, text.size()); // the group never closes
            return ranges;
        }
        for (std::size_t k = i + 1; k < close; ++k)
            if (text[k] == '[')
                unbalanced.emplace_back(k, k + 1);
        i = close + 1;
    }
    return unbalanced;
}

WriteStatus writeText(RomFile& rom, std::int32_t fileOffset, std::string_view text)
{
    if (encodedSize(text) < 0)
        return WriteStatus::Failed;
    const ByteRun run{fileOffset, encodeText(text)};
    return rom.write(std::span<const ByteRun>(&run, 1));
}

} // namespace scrivlet
