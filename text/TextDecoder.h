#pragma once

#include "ByteClass.h"
#include "CompressionDictionary.h"
#include "ControlCodes.h"

#include <cstdint>
#include <span>
#include <string>

namespace scrivlet {

class RomFile;

// One decode reads items only while fewer than this many bytes are consumed.
inline constexpr int DecodeByteLimit = 4000;

struct DecodedText {
    std::string text; // display text; grows as far as the block needs
    int size = 0;     // game bytes consumed, end code included
};

// Decodes the block at `fileOffset`. With `showCodes` control codes and their
// arguments appear as bracket groups ([1C 05 07 02]); without, only characters
// and dictionary strings. The size is the same either way. `grouping` decides
// how many argument bytes each code takes and which codes end the block.
DecodedText decodeText(RomFile& rom, std::int32_t fileOffset, bool showCodes,
    const CompressionDictionary& dictionary = compressionDictionary(), CodeGrouping grouping = currentCodeGrouping());

// decodeText into `result`, reusing its text's storage.
void decodeTextInto(RomFile& rom, std::int32_t fileOffset, bool showCodes, DecodedText& result,
    const CompressionDictionary& dictionary = compressionDictionary(), CodeGrouping grouping = currentCodeGrouping());

// Only the size decodeText gives, without building any text.
int decodeSize(RomFile& rom, std::int32_t fileOffset, const CompressionDictionary& dictionary = compressionDictionary(),
    CodeGrouping grouping = currentCodeGrouping());

// The first `maxChars` characters of the text without codes, as decodeText
// would give them, decoding no further than needed.
void decodePlainStart(RomFile& rom, std::int32_t fileOffset, std::size_t maxChars, std::string& text,
    const CompressionDictionary& dictionary = compressionDictionary(), CodeGrouping grouping = currentCodeGrouping());

// The same decode over bytes in memory (offset 0 is the first byte); reads
// past the end give -1 as a file would. Used to compare and to test the codec;
// a comparison of meanings may lift the byte limit.
DecodedText decodeBytes(std::span<const std::uint8_t> bytes, bool showCodes,
    const CompressionDictionary& dictionary = compressionDictionary(), int byteLimit = DecodeByteLimit,
    CodeGrouping grouping = currentCodeGrouping());

// The codes-only form: "[" then each of `size` bytes from the offset as two
// upper-case hex digits and a blank, the last blank replaced by "]". A read past
// the end shows as FFFFFFFF, the end-of-file value as a 32-bit number.
std::string renderCodesOnly(RomFile& rom, std::int32_t fileOffset, int size);

} // namespace scrivlet
