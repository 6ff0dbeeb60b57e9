// libFuzzer target: any bytes decode, and any display text encodes, without a
// fault; a decoded block encodes back to the bytes it came from except where
// the text format says it cannot (dictionary references, the bracket characters).
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <algorithm>
#include <cstdlib>

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const CompressionDictionary empty{};
    const DecodedText withCodes = decodeBytes(bytes, true, empty);
    const DecodedText plain = decodeBytes(bytes, false, empty);
    if (withCodes.size != plain.size || withCodes.size < 1)
        std::abort();

    // A block free of references and of 0x8B/0x8D comes back byte for byte.
    const std::size_t consumed = std::min<std::size_t>(size, static_cast<std::size_t>(withCodes.size));
    const bool plainBytes = std::none_of(data, data + consumed, [](std::uint8_t b) {
        return b == 0x15 || b == 0x16 || b == 0x17 || b == 0x8B || b == 0x8D;
    });
    if (plainBytes && consumed == static_cast<std::size_t>(withCodes.size)) {
        const std::vector<std::uint8_t> back = encodeText(withCodes.text);
        if (encodedSize(withCodes.text) != withCodes.size || !std::equal(back.begin(), back.end(), data, data + consumed))
            std::abort();
    }

    // The same bytes read as display text.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int n = encodedSize(text);
    if (n >= 0 && static_cast<std::size_t>(n) != encodeText(text).size())
        std::abort();

    // Compressed with a dictionary of short strings cut from the input: never
    // longer, and a text that comes back plain comes back compressed.
    if (n >= 0) {
        CompressionDictionary dictionary{};
        for (std::size_t slot = 1; slot < 40 && slot * 3 + 3 <= size; ++slot)
            for (std::size_t k = 0; k < 3; ++k)
                dictionary.slots[slot][k] = static_cast<char>(0x20 + data[slot * 3 + k] % 0x5B);
        const std::vector<std::uint8_t> packed = encodeCompressed(text, dictionary);
        if (packed.size() > static_cast<std::size_t>(n))
            std::abort();
        if (decodeBytes(encodeText(text), true, dictionary).text == text && decodeBytes(packed, true, dictionary).text != text)
            std::abort();
    }
    return 0;
}
