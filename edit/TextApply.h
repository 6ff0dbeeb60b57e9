#pragma once

#include <cstdint>
#include <string_view>

namespace scrivlet {

class RomFile;

enum class ApplyOutcome {
    Written,      // every byte reached the file
    BracketError, // nothing written
    TooLarge,     // Prevent Overwrites refused a text longer than the stored block; nothing written
    NotWritten,   // the offset is not in the file, or the bytes did not reach it
};

// The checks and the write of Apply Changes: the bracket check, the old size
// by a fresh decode, the Prevent Overwrites comparison, then the write.
ApplyOutcome applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites);

// The words shown for a refusal (null for Written), and their caption.
const char* applyOutcomeMessage(ApplyOutcome outcome);

} // namespace scrivlet
