#pragma once

#include "text/GameFont.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace scrivlet {

class RomFile;
struct CompressionDictionary;

// One known text block. Rows without a pointer table record have
// tptRecordOffset 0 and zero sprite and movement numbers.
struct TextEntry {
    std::int32_t tptRecordOffset = 0;
    std::int32_t snesAddress = 0;
    std::int32_t spriteNumber = 0;
    std::int32_t movementNumber = 0;
};

inline constexpr int CatalogueCapacity = 8000;
inline constexpr int ListLabelMaxChars = 149;

// The table of known blocks, in the order their source produced them. Holds at
// most CatalogueCapacity rows; a source with more stops there.
struct TextCatalogue {
    std::array<TextEntry, CatalogueCapacity> rows{};
    std::int32_t count = 0;

    bool isFull() const { return count >= CatalogueCapacity; }
    bool append(const TextEntry& entry)
    {
        if (isFull())
            return false;
        rows[static_cast<std::size_t>(count++)] = entry;
        return true;
    }
    bool isRow(int row) const { return row >= 0 && row < count; }
};

// The one catalogue the window and its tools share.
TextCatalogue& textCatalogue();

enum class ListingSource { PointerTable = 0, RawText = 1, ExpandedRom = 2 };

struct TextRange {
    std::int32_t start;
    std::int32_t endBound; // exclusive; only stops the walk
};

inline constexpr std::array<TextRange, 11> RawTextRanges = {{
    {0x51D12, 0x581C1},
    {0x5B5B1, 0x680EC},
    {0x68200, 0x701E2},
    {0x70200, 0x78100},
    {0x78200, 0x8013B},
    {0x80200, 0x88120},
    {0x88200, 0x8BE2C},
    {0x8DC31, 0x901F2},
    {0x90200, 0x981B2},
    {0x98200, 0xA0123},
    {0x2F5020, 0x2FA579},
}};

inline constexpr TextRange ExpandedTextRange = {0x300200, 0x400100};

// Appends one row per consecutive block from `start` while the offset stays
// below `endBound`: the first block is always listed, the last may run past
// the bound.
// `skipped`: file ranges holding no text (moved fonts); a walk that reaches one goes on after it.
void walkBlocks(TextCatalogue& catalogue, RomFile& rom, std::int32_t start, std::int32_t endBound,
    const std::vector<FileRange>& skipped = {});

// Empties the catalogue and fills it from `source`; an unknown source leaves it empty.
void fillCatalogue(TextCatalogue& catalogue, RomFile& rom, ListingSource source);

// A list label: the first 149 characters of a block's text without codes.
std::string listLabelAt(RomFile& rom, std::int32_t fileOffset);
std::string listLabel(RomFile& rom, const TextEntry& entry);

// The dump file of each source: "ptrlist.txt", "rawlist.txt", "explist.txt".
const char* dumpFileName(ListingSource source);

// Parses "pointer", "raw", "expanded".
bool parseListingSource(const std::string& word, ListingSource& source);

} // namespace scrivlet
