#include "TextApply.h"

#include "Messages.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

namespace scrivlet {

ApplyOutcome applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites)
{
    const int newSize = encodedSize(text);
    if (newSize == -1)
        return ApplyOutcome::BracketError;
    const int oldSize = decodeText(rom, fileOffset, true).size;
    if (preventOverwrites && newSize > oldSize)
        return ApplyOutcome::TooLarge;
    // A negative offset would otherwise write wherever the stream last stood.
    if (fileOffset < 0)
        return ApplyOutcome::NotWritten;
    return writeText(rom, fileOffset, text).complete ? ApplyOutcome::Written : ApplyOutcome::NotWritten;
}

const char* applyOutcomeMessage(ApplyOutcome outcome)
{
    switch (outcome) {
    case ApplyOutcome::Written: return nullptr;
    case ApplyOutcome::BracketError: return messages::BracketError;
    case ApplyOutcome::TooLarge: return messages::TextTooLarge;
    case ApplyOutcome::NotWritten: return messages::TextNotWritten;
    }
    return nullptr;
}

} // namespace scrivlet
