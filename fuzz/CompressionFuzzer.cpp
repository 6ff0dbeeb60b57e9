// libFuzzer target: a dictionary of strings and a display text cut from the
// input; the text compressed with the dictionary is never longer than its
// plain bytes and means what they mean, read block after block to the end
// (past end codes too, where jumps and calls land), under both groupings.
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"

#include <cstdlib>
#include <string>

using namespace scrivlet;

namespace {

// The whole written range read as the game may: each block from the byte
// after the last one's end code, to the end. Written apart from the
// compressor's own check, so that each is judged by the other.
std::string wholeMeaning(std::vector<std::uint8_t> bytes, const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    bytes.push_back(EndCode);
    std::string meaning;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::span<const std::uint8_t> rest(bytes.data() + at, bytes.size() - at);
        const DecodedText block = decodeBytes(rest, true, dictionary, static_cast<int>(rest.size()) + 1, grouping);
        meaning += block.text + '|';
        at += block.size > 0 ? static_cast<std::size_t>(block.size) : 1;
    }
    return meaning;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte says how many dictionary strings of 1 to 8 characters
    // (space to z) come first; the rest is the text.
    if (size < 1)
        return 0;
    CompressionDictionary dictionary{};
    std::size_t at = 1;
    const int strings = data[0] % 48;
    for (int slot = 1; slot <= strings && at < size; ++slot) {
        const std::size_t length = 1 + data[at++] % 8;
        for (std::size_t k = 0; k < length && at < size; ++k)
            dictionary.slots[static_cast<std::size_t>(slot)][k] = static_cast<char>(0x20 + data[at++] % 0x5B);
    }
    const std::string_view text(reinterpret_cast<const char*>(data + at), size - at);
    const EncodedText plain = encodeDisplayText(text);
    if (!plain.ok())
        return 0;
    for (const CodeGrouping grouping : {CodeGrouping::Classic, CodeGrouping::Game}) {
        const std::vector<std::uint8_t> packed = compressEncoded(plain, dictionary, grouping);
        if (packed.size() > plain.bytes.size())
            std::abort();
        if (wholeMeaning(packed, dictionary, grouping) != wholeMeaning(plain.bytes, dictionary, grouping))
            std::abort();
    }
    return 0;
}
