#include "TextCatalogue.h"

#include "TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/GameFont.h"
#include "text/TextDecoder.h"

namespace scrivlet {

TextCatalogue& textCatalogue()
{
    static TextCatalogue table;
    return table;
}

void walkBlocks(TextCatalogue& catalogue, RomFile& rom, std::int32_t start, std::int32_t endBound,
    const std::vector<FileRange>& skipped)
{
    std::int32_t offset = start;
    do {
        // A moved font is no text: the walk goes on after its blocks.
        bool skippedFont = false;
        for (const FileRange& room : skipped)
            if (offset >= room.start && offset < room.end) {
                offset = static_cast<std::int32_t>(room.end);
                skippedFont = true;
            }
        if (skippedFont && static_cast<std::uint32_t>(offset) >= static_cast<std::uint32_t>(endBound))
            return;
        const int size = decodeSize(rom, offset);
        if (!catalogue.append({0, static_cast<std::int32_t>(fileOffsetToSnes(offset)), 0, 0}))
            return;
        offset += size;
    } while (static_cast<std::uint32_t>(offset) < static_cast<std::uint32_t>(endBound));
}

void fillCatalogue(TextCatalogue& catalogue, RomFile& rom, ListingSource source)
{
    catalogue.count = 0;
    switch (source) {
    case ListingSource::RawText:
        for (const TextRange& range : RawTextRanges)
            walkBlocks(catalogue, rom, range.start, range.endBound);
        break;
    case ListingSource::PointerTable:
        scanPointerTable(catalogue, rom);
        break;
    case ListingSource::ExpandedRom:
        walkBlocks(catalogue, rom, ExpandedTextRange.start, ExpandedTextRange.endBound, movedFontRooms(rom));
        break;
    }
}

std::string listLabelAt(RomFile& rom, std::int32_t fileOffset)
{
    std::string text;
    decodePlainStart(rom, fileOffset, ListLabelMaxChars, text);
    return text;
}

std::string listLabel(RomFile& rom, const TextEntry& entry)
{
    return listLabelAt(rom, snesToFileOffset(static_cast<std::uint32_t>(entry.snesAddress)));
}

const char* dumpFileName(ListingSource source)
{
    switch (source) {
    case ListingSource::PointerTable: return "ptrlist.txt";
    case ListingSource::RawText: return "rawlist.txt";
    case ListingSource::ExpandedRom: return "explist.txt";
    }
    return "ptrlist.txt";
}

bool parseListingSource(const std::string& word, ListingSource& source)
{
    if (word == "pointer")
        source = ListingSource::PointerTable;
    else if (word == "raw")
        source = ListingSource::RawText;
    else if (word == "expanded")
        source = ListingSource::ExpandedRom;
    else
        return false;
    return true;
}

} // namespace scrivlet
