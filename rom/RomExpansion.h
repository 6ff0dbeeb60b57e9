#pragma once

#include "RomFile.h"

#include <cstdint>

namespace scrivlet {

// The size from which a file counts as expanded: through SNES $FFFFFF.
inline constexpr std::int32_t ExpandedRomSize = 0x4001FF;
// 255 bytes 0x00 then 0x02: one empty text block to the decoder.
inline constexpr int FillerBlockSize = 256;
// The expanded area's file bytes: filler blocks from here to the end of $FFFFFF.
inline constexpr std::int64_t ExpandedAreaStart = 0x300200;
inline constexpr std::int64_t ExpandedAreaEnd = std::int64_t{ExpandedRomSize} + 1;
inline constexpr int ExpandedBlockSize = FillerBlockSize;

struct PadResult {
    bool wroteFiller = false; // false also when the file was already large enough
    WriteStatus status = WriteStatus::Written;
};

// Grows the open image to at least `targetSize` bytes with filler blocks
// appended behind its old end, all of them or none: whole blocks, but never
// past `targetSize` + 1 (the byte after the last address; for the expansion,
// 0x400200 after $FFFFFF), so a file whose end is not on a block's bound gets
// a last block cut short, still ending in its end code. Nothing already in the
// file is overwritten; a file already that large is left as it is, with the
// stream at its end.
PadResult padRomFile(RomFile& rom, std::int64_t targetSize);

} // namespace scrivlet
