#pragma once

#include "rom/RomFile.h"
#include "text/TextEncoder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

enum class ApplyOutcome {
    Written,      // every byte reached the file
    BracketError, // "[" and "]" do not pair up; nothing written
    TextFault,    // a malformed group or a character with no byte; nothing written
    TooLarge,     // Prevent Overwrites refused a text longer than the stored block; nothing written
    WriteFailed,  // the write itself did not happen; `write` tells why
};

// Who reads a refusal: the window and the command-line tool name their own
// ways out of one.
enum class Audience { Window, CommandLine };

struct ApplyOptions {
    bool preventOverwrites = true;
    bool compress = false; // with the dictionary of the last listing
    OtherCharacters others = OtherCharacters::ByOffset;
    Audience audience = Audience::Window;
};

// The command-line tool's rules: characters outside space to z are refused.
inline ApplyOptions commandLineOptions(bool preventOverwrites, bool compress)
{
    return {preventOverwrites, compress, OtherCharacters::Refused, Audience::CommandLine};
}

struct ApplyResult {
    ApplyOutcome outcome = ApplyOutcome::Written;
    WriteStatus write = WriteStatus::Written;
    std::string fault;         // TextFault / BracketError: what is wrong and where, as a sentence
    int compressedSize = -1;   // TooLarge without compression: the compressed size when it would fit
};

struct PreparedText {
    ApplyResult result;
    std::vector<std::uint8_t> bytes;
};

// The text's bytes as they would be written (compressed or not), or, with
// outcome BracketError or TextFault, why the text cannot be written.
PreparedText encodeForWrite(std::string_view text, const ApplyOptions& options);

// The checks of Apply Changes on one encoding of the text: the bytes checked
// are the bytes written. Outcome Written when they may be written.
PreparedText prepareText(RomFile& rom, std::int32_t fileOffset, std::string_view text, const ApplyOptions& options);

// prepareText, then the write.
ApplyResult applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, const ApplyOptions& options);

// The words shown for a refusal (empty when the text was written).
std::string applyMessage(const ApplyResult& result, Audience audience = Audience::Window);

// The words for a write that did not land (null for WriteStatus::Written).
const char* writeStatusMessage(WriteStatus status);

} // namespace scrivlet
