#include "TextEncoder.h"

#include "CharacterTable.h"
#include "CompressionDictionary.h"
#include "Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace scrivlet {

namespace {

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Where "[" and "]" fail to pair up, as the bracket check counts them: a
// group left open runs to the end; else, when the counts differ, each "["
// inside a group and each "]" outside one. Empty when they pair up.
std::vector<std::pair<std::size_t, std::size_t>> unpairedBrackets(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> unpaired;
    const bool countsDiffer = std::count(text.begin(), text.end(), '[') != std::count(text.begin(), text.end(), ']');
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ']') {
            unpaired.emplace_back(i, i + 1);
            continue;
        }
        if (text[i] != '[')
            continue;
        const std::size_t close = text.find(']', i + 1);
        if (close == std::string_view::npos)
            return {{i, text.size()}}; // the group never closes
        for (std::size_t k = i + 1; k < close; ++k)
            if (text[k] == '[')
                unpaired.emplace_back(k, k + 1);
        i = close;
    }
    if (!countsDiffer)
        unpaired.clear();
    return unpaired;
}

// The group from `open` through its "]": blanks and two-digit hex tokens only.
bool wellFormedGroup(std::string_view text, std::size_t open, std::size_t close)
{
    for (std::size_t i = open + 1; i < close;) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 2 > close || !isHexDigit(text[i]) || !isHexDigit(text[i + 1]) || (i + 2 < close && text[i + 2] != ' '))
            return false;
        i += 2;
    }
    return true;
}

// The one scan every encoding and every check of display text makes. `emit`
// gets each byte with its place and whether it was typed; `fault` gets each
// fault and says whether to go on looking. Bracket pairing is checked first,
// as a whole: without it no group can be told apart.
template <typename Emit, typename Fault>
void scan(std::string_view text, OtherCharacters others, Emit&& emit, Fault&& fault)
{
    if (const auto unpaired = unpairedBrackets(text); !unpaired.empty()) {
        for (const auto& [from, to] : unpaired)
            if (!fault(TextFaultAt{TextFault::Brackets, from, to}))
                return;
        return;
    }
    const CharacterTable& table = currentCharacterTable();
    std::size_t i = 0;
    while (i < text.size()) {
        if (const auto entry = table.empty() ? std::nullopt : table.matchAt(text, i)) {
            emit(entry->byte, i, i + entry->length, true);
            i += entry->length;
            continue;
        }
        if (text[i] == '[') {
            const std::size_t close = text.find(']', i + 1);
            if (!wellFormedGroup(text, i, close)) {
                if (!fault(TextFaultAt{TextFault::BadGroup, i, close + 1}))
                    return;
            } else {
                for (std::size_t t = i + 1; t < close; ++t)
                    if (text[t] != ' ') {
                        emit(static_cast<std::uint8_t>(hexDigitValue(text[t]) * 16 + hexDigitValue(text[t + 1])), t, t + 2, false);
                        ++t;
                    }
            }
            i = close + 1;
            continue;
        }
        const Utf8Char c = utf8CharAt(text, i);
        const bool shown = c.value >= 0x20 && c.value <= 0x7A;
        const auto byte = static_cast<std::uint8_t>((c.value + CharacterOffset) & 0xFF);
        std::optional<TextFault> wrong;
        if (!c.valid)
            wrong = TextFault::NotUtf8;
        else if (c.value > 0xFF)
            wrong = TextFault::NoGameByte;
        else if (table.has(byte))
            wrong = TextFault::TakenByTable;
        else if (!shown && others == OtherCharacters::Refused)
            wrong = TextFault::NotGameText;
        if (wrong) {
            if (!fault(TextFaultAt{*wrong, i, i + c.length}))
                return;
        } else {
            emit(byte, i, i + c.length, true);
        }
        i += c.length;
    }
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

} // namespace

int hexDigitValue(char c)
{
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (upper >= '0' && upper <= '9')
        return upper - '0';
    if (upper >= 'A' && upper <= 'F')
        return upper - 'A' + 10;
    return 0;
}

EncodedText encodeDisplayText(std::string_view text, OtherCharacters others)
{
    EncodedText encoded;
    encoded.bytes.reserve(text.size());
    encoded.places.reserve(text.size());
    encoded.typed.reserve(text.size());
    scan(
        text, others,
        [&](std::uint8_t b, std::size_t from, std::size_t to, bool typed) {
            encoded.bytes.push_back(b);
            encoded.places.emplace_back(from, to);
            encoded.typed.push_back(typed);
        },
        [&](const TextFaultAt& fault) {
            encoded.fault = fault;
            return false;
        });
    if (encoded.fault) {
        encoded.bytes.clear();
        encoded.places.clear();
        encoded.typed.clear();
    }
    return encoded;
}

std::vector<TextFaultAt> textFaults(std::string_view text, OtherCharacters others)
{
    std::vector<TextFaultAt> faults;
    scan(
        text, others, [](std::uint8_t, std::size_t, std::size_t, bool) {},
        [&](const TextFaultAt& fault) {
            faults.push_back(fault);
            return true;
        });
    return faults;
}

std::string describeTextFault(std::string_view text, const TextFaultAt& fault)
{
    const std::string at = " at character " + std::to_string(utf8Length(text, fault.from) + 1);
    const std::string_view covered = text.substr(fault.from, fault.to - fault.from);
    switch (fault.kind) {
    case TextFault::Brackets:
        if (text[fault.from] == '[' && fault.to == text.size() && text.find(']', fault.from) == std::string_view::npos)
            return "the group " + quoted(covered) + at + " never closes with \"]\"";
        return "the " + quoted(covered) + at + " does not pair up with another bracket";
    case TextFault::BadGroup:
        return "the group " + quoted(covered) + at + " is not two-digit hex bytes separated by spaces, such as [1C 02 01]";
    case TextFault::NoGameByte:
        return quoted(describeChar(text, fault.from)) + at + " has no byte in the game's text";
    case TextFault::NotUtf8:
        return describeChar(text, fault.from) + at + " is not part of UTF-8 text";
    case TextFault::TakenByTable: {
        const unsigned byte = (utf8CharAt(text, fault.from).value + CharacterOffset) & 0xFF;
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        return quoted(describeChar(text, fault.from)) + at + " has no byte: the character table gives byte " + hex + " to "
            + quoted(currentCharacterTable().text(static_cast<int>(byte)));
    }
    case TextFault::NotGameText:
        return quoted(describeChar(text, fault.from)) + at
            + " is not one of the game's characters (space to z); write its byte as a group, such as [19]";
    }
    return {};
}

std::string textFaultSentence(std::string_view text, const TextFaultAt& fault)
{
    std::string sentence = describeTextFault(text, fault);
    if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z')
        sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    return sentence;
}

std::vector<std::uint32_t> parseBracketGroup(std::string_view group)
{
    std::vector<std::uint32_t> values;
    if (group.empty() || group.front() != '[')
        return values;
    // Tokens separated by blanks, each read in base 16 (any other character counts 0).
    for (std::size_t i = 1; i < group.size() && group[i] != ']';) {
        if (group[i] == ' ') {
            ++i;
            continue;
        }
        std::uint32_t value = 0;
        while (i < group.size() && group[i] != ' ' && group[i] != ']')
            value = value * 16 + static_cast<std::uint32_t>(hexDigitValue(group[i++]));
        values.push_back(value);
    }
    return values;
}

std::vector<std::uint8_t> encodeText(std::string_view text) { return encodeDisplayText(text).bytes; }

int encodedSize(std::string_view text)
{
    const EncodedText encoded = encodeDisplayText(text);
    return encoded.ok() ? static_cast<int>(encoded.bytes.size()) : -1;
}

std::vector<std::pair<std::size_t, std::size_t>> bracketErrorRanges(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (const TextFaultAt& fault : textFaults(text))
        if (fault.kind == TextFault::Brackets || fault.kind == TextFault::BadGroup)
            ranges.emplace_back(fault.from, fault.to);
    return ranges;
}

WriteStatus writeText(RomFile& rom, std::int32_t fileOffset, std::string_view text)
{
    const EncodedText encoded = encodeDisplayText(text);
    if (!encoded.ok())
        return WriteStatus::Failed;
    const ByteRun run{fileOffset, encoded.bytes};
    return rom.write(std::span<const ByteRun>(&run, 1));
}

} // namespace scrivlet
