#pragma once

#include "rom/RomFile.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace scrivlet {

// 0-9, A-F, a-f give 0..15; any other character gives 0 and is no error.
int hexDigitValue(char c);

// The token values of one group, from its "[" through its "]".
std::vector<std::uint32_t> parseBracketGroup(std::string_view group);

// Game bytes of display text that passes the bracket check: characters become
// (c + 0x30) mod 256, each token of a group one byte. Never compresses and adds
// no end code.
std::vector<std::uint8_t> encodeText(std::string_view text);

// The byte count encodeText gives, or -1 for a bracket error (unequal numbers
// of "[" and "]", or a group that never closes). 0 for the empty text.
int encodedSize(std::string_view text);

// Where display text goes wrong, as ranges [from, to) of character positions:
// a group that never closes runs from its "[" to the end; otherwise, when the
// numbers of "[" and "]" differ, each "[" inside a group and each "]" outside
// one. Empty when encodedSize would measure the text.
std::vector<std::pair<std::size_t, std::size_t>> bracketErrorRanges(std::string_view text);

// Encodes `text` and writes its bytes from `fileOffset` on, nothing else; the
// bytes after them keep their old values. The write lands whole or not at all
// and never reaches past the end of the file. A text with a bracket error
// writes nothing and gives WriteStatus::Failed.
WriteStatus writeText(RomFile& rom, std::int32_t fileOffset, std::string_view text);

} // namespace scrivlet
