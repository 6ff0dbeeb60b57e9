#pragma once

#include "rom/RomFile.h"

#include <cstdint>
#include <string_view>

namespace scrivlet {

enum class ApplyOutcome {
    Written,      // every byte reached the file
    BracketError, // nothing written
    TooLarge,     // Prevent Overwrites refused a text longer than the stored block; nothing written
    WriteFailed,  // the write itself did not happen; `write` tells why
};

struct ApplyResult {
    ApplyOutcome outcome = ApplyOutcome::Written;
    WriteStatus write = WriteStatus::Written;
};

// The checks and the write of Apply Changes: the bracket check, the old size
// by a fresh decode, the Prevent Overwrites comparison, then the write. With
// `compress` the text is written (and measured) compressed with the
// dictionary of the last listing.
ApplyResult applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites, bool compress = false);

// The checks alone, in the same order: outcome Written when the text would be written.
ApplyResult checkApply(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites, bool compress = false);

// The words shown for a refusal (null when the text was written).
const char* applyMessage(const ApplyResult& result);

// The words for a write that did not land (null for WriteStatus::Written).
const char* writeStatusMessage(WriteStatus status);

} // namespace scrivlet
