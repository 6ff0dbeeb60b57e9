#pragma once

#include "ByteClass.h"
#include "ControlCodes.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace scrivlet {

// One item of game text as the decoder reads it: a character, a dictionary
// reference, or a control code with its sub-code and argument bytes.
struct TextItem {
    int offset = 0; // of its first byte in the bytes walked
    int length = 0; // the bytes it has there (an item cut by the end of the bytes is shorter)
    ByteClass kind = ByteClass::Character;
};

// The items of `bytes` in order, grouped as `grouping` groups them, up to the
// end of the bytes: an end code does not stop the walk.
std::vector<TextItem> textItems(std::span<const std::uint8_t> bytes, CodeGrouping grouping);

// The items of the block at the start of `bytes`, as far as the decoder reads it.
std::vector<TextItem> blockItems(std::span<const std::uint8_t> bytes, CodeGrouping grouping);

// The table's row for a code item (`code` is the code and its arguments).
const ControlCodeInfo* codeRow(std::span<const std::uint8_t> code);

// The text addresses a code item holds whole, where the table says they sit:
// the four of 1A 00/01, every address of a counted list (09, 1F C0), the one
// after 19 02's string when it ends in 01 (only in the game grouping, which
// reads that far), one for the others that carry one.
struct CodeAddress {
    int at = 0;                // index of its first byte in the code item
    std::uint32_t address = 0; // the SNES address, as its four bytes hold it
};
std::vector<CodeAddress> codeAddresses(std::span<const std::uint8_t> code, CodeGrouping grouping);

// "1C 02 print_char_name: Print a party member's name", or "1C 7F: not in the code table".
std::string describeCode(std::span<const std::uint8_t> code);

// Upper-case hex of each byte, one blank apart.
std::string hexBytes(std::span<const std::uint8_t> bytes);
// The bytes as one bracket group: "[1C 02 01]".
std::string hexGroup(std::span<const std::uint8_t> bytes);

} // namespace scrivlet
