#pragma once

#include "TextApply.h"

#include "rom/RomFile.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace scrivlet {

struct TextEntry;

// Moving a pointer-table row's text into free room of the expanded area: whole
// filler blocks (255 bytes 0x00 and 0x02, at 0x300200 + 256 k) that still hold
// exactly that and into which no pointer-table record points. A text longer
// than one block takes consecutive free blocks. The text's bytes and the
// record's four pointer bytes are written together or not at all; the old block
// is left as it was.
enum class RelocationOutcome { Moved, NoRecord, TextRefused, NotExpanded, NoRoom, WriteFailed };

struct RelocationResult {
    RelocationOutcome outcome = RelocationOutcome::Moved;
    std::uint32_t newAddress = 0; // the SNES address the record now holds
    WriteStatus write = WriteStatus::Written;
    std::string refusal; // TextRefused: why the text cannot be written
};

// Free[k] for each whole block k of the expanded area inside the file: filler
// that no record points into and no moved font takes. Only blocks wholly
// inside the 4 MiB HiROM space count: an address past $FFFFFF cannot be
// recorded, whatever a larger file holds there.
std::vector<bool> freeExpandedBlocks(RomFile& rom);

// The text is encoded by the options' rules (compressed with the dictionary of
// the last listing when they say so); Prevent Overwrites does not apply.
RelocationResult relocateText(RomFile& rom, const TextEntry& row, std::string_view text, const ApplyOptions& options);

// The words for a relocation that did not happen (empty when it moved).
std::string relocationMessage(const RelocationResult& result);

} // namespace scrivlet
