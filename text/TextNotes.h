#pragma once

#include "ControlCodes.h"
#include "TextItems.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scrivlet {

// Where display text holds characters the game cannot show as themselves:
// each character outside space to z that stands outside a bracket group
// (a line break, CR LF, counts as one place of two characters), as ranges
// [from, to) of bytes. Those below U+0100 are written all the same, as
// (character + 0x30) mod 256; the others cannot be written.
std::vector<std::pair<std::size_t, std::size_t>> unshowableRanges(std::string_view text);

// What the character just before `caret` (or, at the start, just after it)
// is written as, when the game cannot show it: "é is written as byte 19, a
// control code". Empty for a character the game shows, or one inside a group.
std::string writtenAsNote(std::string_view text, std::size_t caret);

// The bracket group a place of the text stands in: from its "[" through its
// "]" (the place just before the "[" and just after the "]" count), with the
// bytes of the whole text and where the group's bytes lie among them.
struct GroupAtPlace {
    std::size_t from = 0, to = 0; // characters [from, to)
    std::vector<std::uint8_t> bytes;
    int firstByte = 0, byteCount = 0;
    int byteAtPlace = 0; // the byte of the token at the place
};
std::optional<GroupAtPlace> groupAtPlace(std::string_view text, std::size_t place);

// What each code of the group at `place` does: "1C 02 print_char_name: Print
// a party member's name". Empty outside a group.
std::vector<std::string> codeNames(std::string_view text, std::size_t place, CodeGrouping grouping);

// What the codes of the group at `place` do, one after another:
// "1C 02 print_char_name: Print a party member's name; 03 wait_prompt: ...".
// Empty outside a group.
std::string codeNamesNote(std::string_view text, std::size_t place, CodeGrouping grouping);

// The line under the size lines: what is wrong with a malformed group at the
// caret, what a character the game cannot show is written as, or the codes of
// the group at the caret.
std::string caretNote(std::string_view text, std::size_t caret, CodeGrouping grouping);

// The text address that the code at `place` points at, when it points at one
// (for a code with several, the one whose bytes hold the place, else its first).
std::optional<CodeAddress> targetAtPlace(std::string_view text, std::size_t place, CodeGrouping grouping);

} // namespace scrivlet
