// libFuzzer target: any file read as a character table is taken or refused
// with its line, never a fault; a table taken writes each entry's text as a
// byte that reads back as the same text, and any bytes decode through it.
#include "text/CharacterTable.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <cstdlib>
#include <string_view>

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    TableParse parsed = parseCharacterTable(contents);
    if (!parsed.table) {
        if (parsed.refusal.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    currentCharacterTable() = std::move(*parsed.table);
    const CharacterTable& table = currentCharacterTable();
    const CompressionDictionary empty{};
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (!table.has(b))
            continue;
        const EncodedText encoded = encodeDisplayText(table.text(b), OtherCharacters::Refused);
        if (!encoded.ok() || encoded.bytes.size() != 1 || table.text(encoded.bytes[0]) != table.text(b))
            std::abort();
        if (decodeBytes(encoded.bytes, true, empty).text.rfind(table.text(b), 0) != 0)
            std::abort();
    }
    // The file's bytes as game bytes and as typed text, through the table.
    const DecodedText decoded = decodeBytes(std::span(data, size), true, empty);
    (void)encodeDisplayText(decoded.text);
    (void)textFaults(contents);
    currentCharacterTable() = CharacterTable{};
    return 0;
}
