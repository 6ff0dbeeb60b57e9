#pragma once

#include "rom/RomFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scrivlet {

// Display text is UTF-8. Outside bracket groups each entry text of the
// character table in use is its byte (the longest that matches), and each other
// character one byte; inside, each two-digit hex token is one.

// 0-9, A-F, a-f give 0..15; any other character gives 0.
int hexDigitValue(char c);

// How a character outside space to z, typed outside a group, is written.
enum class OtherCharacters {
    ByOffset, // as (character + 0x30) mod 256, for characters below U+0100
    Refused,  // not at all: the text is refused
};

enum class TextFault {
    Brackets,    // "[" and "]" do not pair up, or a group never closes
    BadGroup,    // a group holds something other than two-digit hex bytes separated by blanks
    NoGameByte,  // a character with no byte (U+0100 and up)
    NotUtf8,     // a byte that is not part of UTF-8 text
    NotGameText, // with OtherCharacters::Refused: a character outside space to z
    TakenByTable, // a character whose byte the character table gives to other text
};

// A fault and the bytes of the text it covers, [from, to).
struct TextFaultAt {
    TextFault kind = TextFault::Brackets;
    std::size_t from = 0, to = 0;
    bool operator==(const TextFaultAt&) const = default;
};

// The one encoding of display text: every byte, where it came from, and
// whether it was a typed character (which compression may replace).
struct EncodedText {
    std::vector<std::uint8_t> bytes;
    std::vector<std::pair<std::size_t, std::size_t>> places; // per byte: the text it came from
    std::vector<bool> typed;
    std::optional<TextFaultAt> fault; // the first; then no bytes

    bool ok() const { return !fault; }
};

EncodedText encodeDisplayText(std::string_view text, OtherCharacters others = OtherCharacters::ByOffset);

// Every fault of the text, in order of place (for the edit box's marks).
std::vector<TextFaultAt> textFaults(std::string_view text, OtherCharacters others = OtherCharacters::ByOffset);

// What is wrong, in words, with the place counted in characters from 1:
// the group "[1C02 01]" at character 5 is not two-digit hex bytes separated by spaces
std::string describeTextFault(std::string_view text, const TextFaultAt& fault);
// The same, begun with a capital, to stand as a sentence.
std::string textFaultSentence(std::string_view text, const TextFaultAt& fault);

// The token values of one group, from its "[" through its "]".
std::vector<std::uint32_t> parseBracketGroup(std::string_view group);

// The bytes of text that encodes without a fault (characters outside space to
// z written by offset); empty otherwise. Never compresses, adds no end code.
std::vector<std::uint8_t> encodeText(std::string_view text);

// The byte count encodeText gives, or -1 for a text that cannot be written
// (a bracket error, a malformed group, a character with no byte).
int encodedSize(std::string_view text);

// Where display text goes wrong with its brackets or groups, as byte ranges:
// a group that never closes runs from its "[" to the end; "[" and "]" that do
// not pair up; each malformed group whole.
std::vector<std::pair<std::size_t, std::size_t>> bracketErrorRanges(std::string_view text);

// Encodes `text` and writes its bytes from `fileOffset` on, nothing else. The
// write lands whole or not at all and never reaches past the end of the file.
// A text that cannot be encoded writes nothing and gives WriteStatus::Failed.
WriteStatus writeText(RomFile& rom, std::int32_t fileOffset, std::string_view text);

} // namespace scrivlet
