#pragma once

#include <cstdint>
#include <string>

namespace scrivlet {

class RomFile;

// The size from which a file counts as expanded: through SNES $FFFFFF.
inline constexpr std::int32_t ExpandedRomSize = 0x4001FF;
// 255 bytes 0x00 then 0x02: one empty text block to the decoder.
inline constexpr int FillerBlockSize = 256;

enum class PadResult {
    AlreadyLargeEnough, // nothing written; the stream stays open at the end of the file
    Padded,             // filler appended; `rom` is the file reopened for update
    AppendFailed,       // the file could not be opened for append or not every byte landed;
                        // `rom` is reopened for update when possible
    ReopenFailed,       // the filler was written but the file could not be reopened: `rom` is closed
};

// Grows the file at `path` to at least `targetSize` bytes with whole filler
// blocks appended behind its old end. Nothing already in the file is overwritten.
PadResult padRomFile(RomFile& rom, const std::string& path, std::int64_t targetSize);

} // namespace scrivlet
