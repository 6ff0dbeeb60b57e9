#pragma once

#include "ByteClass.h"
#include "ControlCodes.h"

#include <array>
#include <cstdint>

namespace scrivlet {

// One control code as a grouping takes it: the code, its sub-code and its
// argument bytes, and whether the block ends after it.
struct CodeSpan {
    int length = 1;
    bool endsBlock = false;
};

namespace grouping_detail {

// The game's length of each code and code + sub-code, from the table. A row
// with a formula holds one of the marks below; NoRow keeps the classic count.
inline constexpr std::int16_t NoRow = 0, CountAfterCode = -1, CountAfterSubCode = -2, StringThenEnd = -3;

struct GameLengths {
    std::array<std::int16_t, 32> single{};
    std::array<std::array<std::int16_t, 256>, 32> bySubCode{};
    std::array<bool, 32> hasSubCodes{};
};

const GameLengths& gameLengths();

// 19 02: the string from index 2 (its first byte always belongs to it) up to
// and including the first 02, or the first 01 and the 4-byte address after it.
// A string that meets the end of the data, or `room`, ends there.
template <typename Peek>
int stringGroupLength(Peek& peek, int room)
{
    for (int at = 3;; ++at) {
        if (at >= room)
            return at;
        const int b = peek(at - 1);
        if (b < 0)
            return at;
        if (b == 0x02)
            return at + 1;
        if (b == 0x01)
            return at + 5;
    }
}

} // namespace grouping_detail

// How `code` is grouped. `peek(k)` gives the byte k places after the code
// (k = 0: the sub-code), -1 past the end of the data; `room` is the most bytes
// a 19 02 string may take (the rest of the decode's byte bound).
template <typename Peek>
CodeSpan codeSpan(CodeGrouping grouping, int code, Peek&& peek, int room)
{
    const auto masked = [&](int k) { return peek(k) & 0xFF; };
    if (grouping == CodeGrouping::Classic) {
        const int arguments = controlArgumentCount(code, masked);
        // 0x19 takes 25 argument bytes only with sub-code 0x02, which ends the block.
        return {1 + arguments, code == EndCode || (code == 0x19 && arguments == 25)};
    }
    if (code < 0 || code >= 0x20)
        return {1, false}; // printed as a glyph by the game
    using namespace grouping_detail;
    const GameLengths& lengths = gameLengths();
    const auto index = static_cast<std::size_t>(code);
    int length = lengths.hasSubCodes[index] ? lengths.bySubCode[index][static_cast<std::size_t>(masked(0))] : lengths.single[index];
    switch (length) {
    case NoRow: length = 1 + controlArgumentCount(code, masked); break;
    case CountAfterCode: length = 2 + 4 * masked(0); break;
    case CountAfterSubCode: length = 3 + 4 * masked(1); break;
    case StringThenEnd: length = stringGroupLength(peek, room); break;
    default: break;
    }
    // The game reads nothing after 0A's jump; 19 02's own 02 does not end the block.
    return {length, code == EndCode || code == 0x0A};
}

} // namespace scrivlet
