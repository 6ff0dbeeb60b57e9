#include "TextSearch.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

#include <algorithm>

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
    std::string needle(typed.substr(0, SearchNeedleMaxChars));
    upperAsciiLetters(needle);
    return needle;
}

int findMatchingRow(RomFile& rom, const TextCatalogue& catalogue, std::string_view needle, int firstRow)
{
    DecodedText decoded; // one buffer for every row
    for (int row = std::max(firstRow, 0); row < catalogue.count; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        decodeTextInto(rom, snesToFileOffset(address), true, decoded);
        upperAsciiLetters(decoded.text);
        if (decoded.text.find(needle) != std::string::npos)
            return row;
    }
    return -1;
}

} // namespace scrivlet
