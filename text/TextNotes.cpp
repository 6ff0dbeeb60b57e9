#include "TextNotes.h"

#include "ByteClass.h"
#include "CharacterTable.h"
#include "CompressionDictionary.h"
#include "TextEncoder.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdio>

namespace scrivlet {

namespace {

constexpr unsigned char FirstShown = 0x20; // space
constexpr unsigned char LastShown = 0x7A;  // z

// Whether position `at` stands inside a bracket group, as the encoder reads them.
std::vector<bool> insideGroups(std::string_view text)
{
    std::vector<bool> inside(text.size(), false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '[')
            continue;
        const std::size_t close = text.find(']', i + 1);
        const std::size_t end = close == std::string_view::npos ? text.size() : close + 1;
        for (std::size_t k = i; k < end; ++k)
            inside[k] = true;
        i = end - 1;
    }
    return inside;
}

bool shown(char32_t c) { return c >= FirstShown && c <= LastShown; }

// A character the game shows as itself: space to z, unless the table gives its byte to other text.
bool shownAsItself(const Utf8Char& c, const CharacterTable& table)
{
    return c.valid && shown(c.value) && !table.has(static_cast<int>((c.value + CharacterOffset) & 0xFF));
}

// Per byte of the text: the length of the table entry text that begins there
// (0 where none does), as the encoder reads them outside groups.
std::vector<std::size_t> tableEntries(std::string_view text, const std::vector<bool>& inside, const CharacterTable& table)
{
    std::vector<std::size_t> at(text.size(), 0);
    if (table.empty())
        return at;
    for (std::size_t i = 0; i < text.size();) {
        const auto entry = inside[i] ? std::nullopt : table.matchAt(text, i);
        at[i] = entry ? entry->length : 0;
        i += entry ? entry->length : utf8CharAt(text, i).length;
    }
    return at;
}

std::string byteText(unsigned byte)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", byte);
    return hex;
}

} // namespace

std::vector<std::pair<std::size_t, std::size_t>> unshowableRanges(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const std::vector<bool> inside = insideGroups(text);
    const CharacterTable& table = currentCharacterTable();
    const std::vector<std::size_t> entries = tableEntries(text, inside, table);
    for (std::size_t i = 0; i < text.size();) {
        if (entries[i] > 0) {
            i += entries[i];
            continue;
        }
        const Utf8Char c = utf8CharAt(text, i);
        std::size_t length = c.length;
        if (!inside[i] && !shownAsItself(c, table)) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                length = 2;
            ranges.emplace_back(i, i + length);
        }
        i += length;
    }
    return ranges;
}

std::string writtenAsNote(std::string_view text, std::size_t caret)
{
    if (text.empty())
        return {};
    caret = std::min(caret, text.size());
    const std::vector<bool> inside = insideGroups(text);
    const CharacterTable& table = currentCharacterTable();
    const std::vector<std::size_t> entries = tableEntries(text, inside, table);
    // The character (or table entry text) that ends at the caret (or, at the start, the first).
    std::size_t at = 0;
    for (std::size_t i = 0; i < caret;) {
        at = i;
        i += entries[i] > 0 ? entries[i] : utf8CharAt(text, i).length;
    }
    if (at > 0 && text[at] == '\n' && text[at - 1] == '\r')
        --at; // the caret after a line break
    if (entries[at] > 0) {
        // Only an entry that shows other text than the byte would without the table is news.
        const auto entry = table.matchAt(text, at);
        std::string builtIn;
        appendUtf8(builtIn, static_cast<char32_t>((entry->byte - CharacterOffset) & 0xFF));
        if (builtIn == text.substr(at, entries[at]))
            return {};
        return std::string(text.substr(at, entries[at])) + " is byte " + byteText(entry->byte) + " by the character table";
    }
    const Utf8Char c = utf8CharAt(text, at);
    if (inside[at] || (c.valid && shown(c.value) && !table.has(static_cast<int>((c.value + CharacterOffset) & 0xFF))))
        return {};
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        return "A line break is written as bytes 3D 3A, two control codes";
    std::string name = describeChar(text, at);
    if (!c.valid)
        return "This is " + name + ", not UTF-8 text; Apply Changes refuses it";
    if (c.value > 0xFF)
        return name + " has no byte in the game's text; Apply Changes refuses it";
    if (const unsigned byte = (c.value + CharacterOffset) & 0xFF; table.has(static_cast<int>(byte)))
        return name + " has no byte: the character table gives byte " + byteText(byte) + " to " + table.text(static_cast<int>(byte))
            + "; Apply Changes refuses it";
    if (name.size() > 2 && name[0] == 'a' && name[1] == ' ')
        name[0] = 'A'; // "A tab", "A line feed"
    else if (name.rfind("U+", 0) == 0)
        name = "Character " + name;
    const unsigned byte = (c.value + CharacterOffset) & 0xFF;
    const bool reference = classifyByte(static_cast<int>(byte)) == ByteClass::DictionaryReference;
    return name + " is written as byte " + byteText(byte) + (reference ? ", which begins a dictionary reference" : ", a control code");
}

std::optional<GroupAtPlace> groupAtPlace(std::string_view text, std::size_t place)
{
    place = std::min(place, text.size());
    // The group whose "[" is the last one at or before the place (or right after it).
    std::size_t open = std::string_view::npos;
    if (place < text.size() && text[place] == '[')
        open = place;
    else if (place > 0)
        open = text.rfind('[', place - 1);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = text.find(']', open + 1);
    if (close == std::string_view::npos || place > close + 1)
        return std::nullopt;
    if (text.find('[', open + 1) < close)
        return std::nullopt; // a bracket error: no group to speak of
    GroupAtPlace group;
    group.from = open;
    group.to = close + 1;
    group.bytes = encodeText(text);
    group.firstByte = static_cast<int>(encodeText(text.substr(0, open)).size());
    // Tokens and where each starts, to find the one at the place.
    int tokensBefore = 0;
    for (std::size_t i = open + 1; i < close;) {
        while (i < close && text[i] == ' ')
            ++i;
        if (i >= close)
            break;
        if (i < place)
            ++tokensBefore;
        ++group.byteCount;
        while (i < close && text[i] != ' ')
            ++i;
    }
    group.byteAtPlace = group.firstByte + std::clamp(tokensBefore - 1, 0, std::max(group.byteCount - 1, 0));
    if (group.firstByte + group.byteCount > static_cast<int>(group.bytes.size()))
        return std::nullopt;
    return group;
}

namespace {

// The code items that share bytes with the group.
std::vector<TextItem> codesOfGroup(const GroupAtPlace& group, CodeGrouping grouping)
{
    std::vector<TextItem> codes;
    const int end = group.firstByte + group.byteCount;
    for (const TextItem& item : textItems(group.bytes, grouping))
        if (item.kind == ByteClass::ControlCode && item.offset < end && item.offset + item.length > group.firstByte)
            codes.push_back(item);
    return codes;
}

std::span<const std::uint8_t> bytesOf(const GroupAtPlace& group, const TextItem& item)
{
    return std::span<const std::uint8_t>(group.bytes).subspan(static_cast<std::size_t>(item.offset), static_cast<std::size_t>(item.length));
}

} // namespace

std::vector<std::string> codeNames(std::string_view text, std::size_t place, CodeGrouping grouping)
{
    std::vector<std::string> names;
    const auto group = groupAtPlace(text, place);
    if (!group)
        return names;
    // A byte of the group that the character table gives a text to is that letter, not a code.
    const CharacterTable& table = currentCharacterTable();
    const int end = group->firstByte + group->byteCount;
    for (const TextItem& item : textItems(group->bytes, grouping)) {
        if (item.offset >= end || item.offset + item.length <= group->firstByte)
            continue;
        const auto bytes = bytesOf(*group, item);
        if (item.kind == ByteClass::ControlCode)
            names.push_back(describeCode(bytes));
        else if (item.kind == ByteClass::Character && table.has(bytes[0]))
            names.push_back(hexBytes(bytes) + ": " + table.text(bytes[0]) + " by the character table");
    }
    return names;
}

std::string codeNamesNote(std::string_view text, std::size_t place, CodeGrouping grouping)
{
    std::string note;
    for (const std::string& name : codeNames(text, place, grouping))
        note += (note.empty() ? "" : "; ") + name;
    return note;
}

std::string caretNote(std::string_view text, std::size_t caret, CodeGrouping grouping)
{
    // A malformed group at the caret, then a character the game cannot show
    // right before it, are the more urgent news.
    for (const TextFaultAt& fault : textFaults(text))
        if (fault.kind == TextFault::BadGroup && caret >= fault.from && caret <= fault.to)
            return textFaultSentence(text, fault);
    std::string note = writtenAsNote(text, caret);
    return note.empty() ? codeNamesNote(text, caret, grouping) : note;
}

std::optional<CodeAddress> targetAtPlace(std::string_view text, std::size_t place, CodeGrouping grouping)
{
    const auto group = groupAtPlace(text, place);
    if (!group)
        return std::nullopt;
    for (const TextItem& item : codesOfGroup(*group, grouping)) {
        if (group->byteAtPlace < item.offset || group->byteAtPlace >= item.offset + item.length)
            continue;
        const auto addresses = codeAddresses(bytesOf(*group, item), grouping);
        if (addresses.empty())
            return std::nullopt;
        const int within = group->byteAtPlace - item.offset;
        for (const CodeAddress& a : addresses)
            if (within >= a.at && within < a.at + 4)
                return a;
        return addresses.front();
    }
    return std::nullopt;
}

} // namespace scrivlet
