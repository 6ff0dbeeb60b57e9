#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scrivlet {

// Where display text holds characters the game cannot show as themselves:
// each character outside space to z that stands outside a bracket group
// (a line break, CR LF, counts as one place of two characters), as ranges
// [from, to). They are written all the same, as (character + 0x30) mod 256.
std::vector<std::pair<std::size_t, std::size_t>> unshowableRanges(std::string_view text);

// What the character just before `caret` (or, at the start, just after it)
// is written as, when the game cannot show it: "é is written as byte 19, a
// control code". Empty for a character the game shows, or one inside a group.
std::string writtenAsNote(std::string_view text, std::size_t caret);

} // namespace scrivlet
