// libFuzzer target: any bytes read as display text (UTF-8 or not) are encoded
// or refused with a fault that names a place inside the text, under both rules
// for characters; the checks and the marks agree with the encoding; the notes
// of the line under the size line and the game's layout of the text never fault.
#include "text/TextEncoder.h"
#include "text/TextDecoder.h"
#include "text/TextFit.h"
#include "text/TextNotes.h"

#include <cstdlib>

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const OtherCharacters others : {OtherCharacters::ByOffset, OtherCharacters::Refused}) {
        const EncodedText encoded = encodeDisplayText(text, others);
        const std::vector<TextFaultAt> faults = textFaults(text, others);
        if (encoded.ok() != faults.empty())
            std::abort();
        if (encoded.fault) {
            if (!encoded.bytes.empty() || !(*encoded.fault == faults.front()))
                std::abort();
            for (const TextFaultAt& fault : faults)
                if (fault.from >= fault.to || fault.to > text.size() || describeTextFault(text, fault).empty())
                    std::abort();
            continue;
        }
        if (encoded.places.size() != encoded.bytes.size() || encoded.typed.size() != encoded.bytes.size())
            std::abort();
        for (const auto& [from, to] : encoded.places)
            if (from >= to || to > text.size())
                std::abort();
        // Well-formed text without references or bracket characters comes back
        // from its bytes: what is typed is what is written.
        std::vector<std::uint8_t> closed = encoded.bytes;
        closed.push_back(EndCode);
        const CompressionDictionary empty{};
        const DecodedText back = decodeBytes(closed, true, empty, static_cast<int>(closed.size()) + 1);
        bool plain = others == OtherCharacters::Refused;
        for (std::uint8_t b : encoded.bytes)
            plain = plain && b != 0x15 && b != 0x16 && b != 0x17 && b != 0x8B && b != 0x8D;
        if (plain && back.size == static_cast<int>(closed.size())) {
            const EncodedText again = encodeDisplayText(back.text, others);
            if (!again.ok() || again.bytes != closed)
                std::abort();
        }
    }
    if (encodedSize(text) >= 0 && bracketErrorRanges(text).size() != 0)
        std::abort();
    const std::size_t caret = size > 0 ? data[0] % (size + 1) : 0;
    caretNote(text, caret, CodeGrouping::Classic);
    caretNote(text, caret, CodeGrouping::Game);
    targetAtPlace(text, caret, CodeGrouping::Game);
    for (const auto& [from, to] : unshowableRanges(text))
        if (from >= to || to > text.size())
            std::abort();
    return 0;
}
