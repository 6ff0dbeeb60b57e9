#pragma once

#include "TextCatalogue.h"
#include "text/ControlCodes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlet {

class RomFile;

// A code that points at a text address, in the block of a listing row.
struct CodeReference {
    int row = 0;                    // the first row of the listing with the block
    std::uint32_t blockAddress = 0; // SNES address of the block
    int offset = 0;                 // of the code in its block
    std::string name;               // the table's name of the code, or "unknown"
};

struct TextReferences {
    std::vector<int> records; // pointer-table records, in table order
    std::vector<CodeReference> codes;
};

// Everything that points at `address`: the records of the text pointer table
// whose text pointer is it, and the codes in the blocks of `catalogue` (each
// block once, at its first row; in row order, then offset order) that hold it.
TextReferences findReferences(RomFile& rom, const TextCatalogue& catalogue, std::uint32_t address, CodeGrouping grouping);

// The first row of `catalogue` whose block starts at `address`, or -1.
int rowStartingAt(const TextCatalogue& catalogue, std::uint32_t address);

} // namespace scrivlet
