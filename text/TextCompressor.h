#pragma once

#include "CodeGrouping.h"
#include "CompressionDictionary.h"
#include "TextEncoder.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace scrivlet {

// The shortest game bytes for display text, using the image's dictionary:
// bracket groups are written as they are, and in each run of plain characters
// outside groups any stretch that equals a dictionary string (one not empty,
// of the characters space to z only) may become a two-byte reference
// (15/16/17 and an index). Among encodings of the least length any is given.
//
// The result means what the uncompressed bytes mean: read block after block
// to its end (past end codes too, where jumps and calls may land), with
// codes shown under the grouping, both decode alike; otherwise the
// uncompressed bytes are given. It is never longer than those.
std::vector<std::uint8_t> compressEncoded(const EncodedText& plain, const CompressionDictionary& dictionary, CodeGrouping grouping);

// encodeDisplayText, then compressEncoded under the current grouping. The
// text must encode (encodedSize is not -1).
std::vector<std::uint8_t> encodeCompressed(std::string_view text, const CompressionDictionary& dictionary = compressionDictionary());

// The byte count encodeCompressed gives, or -1 for a bracket error.
int compressedSize(std::string_view text, const CompressionDictionary& dictionary = compressionDictionary());

// The bytes Apply Changes writes: compressed or not.
std::vector<std::uint8_t> encodeForWriting(std::string_view text, bool compress,
    const CompressionDictionary& dictionary = compressionDictionary());
int sizeForWriting(std::string_view text, bool compress, const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
