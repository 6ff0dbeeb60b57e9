#pragma once

#include "rom/RomFile.h"

#include <cstdint>
#include <string_view>

namespace scrivlet {

struct TextEntry;

// Moving a pointer-table row's text into free room of the expanded area: whole
// filler blocks (255 bytes 0x00 and 0x02, at 0x300200 + 256 k) that still hold
// exactly that and into which no pointer-table record points. A text longer
// than one block takes consecutive free blocks. The text's bytes and the
// record's four pointer bytes are written together or not at all; the old block
// is left as it was.
enum class RelocationOutcome { Moved, NoRecord, BracketError, NotExpanded, NoRoom, WriteFailed };

struct RelocationResult {
    RelocationOutcome outcome = RelocationOutcome::Moved;
    std::uint32_t newAddress = 0; // the SNES address the record now holds
    WriteStatus write = WriteStatus::Written;
};

// With `compress` the text is written compressed (the dictionary of the last listing).
RelocationResult relocateText(RomFile& rom, const TextEntry& row, std::string_view text, bool compress = false);

// The words for a relocation that did not happen (null when it moved).
const char* relocationMessage(const RelocationResult& result);

} // namespace scrivlet
