#include "TextSearch.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

#include <algorithm>
#include <unordered_set>

namespace scrivlet {

namespace {
void upperAsciiLetters(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}
} // namespace

std::string searchNeedle(std::string_view typed)
{
    std::size_t length = std::min<std::size_t>(typed.size(), SearchNeedleMaxChars);
    // Cut between characters, never inside one of a table's letters.
    while (length < typed.size() && length > 0 && (static_cast<unsigned char>(typed[length]) & 0xC0) == 0x80)
        --length;
    std::string needle(typed.substr(0, length));
    upperAsciiLetters(needle);
    return needle;
}

int findMatchingRow(RomFile& rom, const TextCatalogue& catalogue, std::string_view needle, int firstRow)
{
    DecodedText decoded; // one buffer for every row
    // Rows that share a block show the same text: a block searched once in this
    // Find without a match cannot match for another row.
    std::unordered_set<std::int32_t> searched;
    for (int row = std::max(firstRow, 0); row < catalogue.count; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        const std::int32_t offset = snesToFileOffset(address);
        if (!searched.insert(offset).second)
            continue;
        decodeTextInto(rom, offset, true, decoded);
        upperAsciiLetters(decoded.text);
        if (decoded.text.find(needle) != std::string::npos)
            return row;
    }
    return -1;
}

} // namespace scrivlet
