#include "TextNotes.h"

#include "ByteClass.h"
#include "CompressionDictionary.h"

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

bool shown(char c) { return static_cast<unsigned char>(c) >= FirstShown && static_cast<unsigned char>(c) <= LastShown; }

std::string byteText(unsigned byte)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", byte);
    return hex;
}

std::string nameOf(unsigned char c)
{
    switch (c) {
    case '\r': return "A carriage return";
    case '\n': return "A line feed";
    case '\t': return "A tab";
    case 0x7F: return "Character 7F";
    default: break;
    }
    if (c < 0x20 || (c >= 0x80 && c < 0xA0))
        return "Character " + byteText(c);
    return std::string(1, static_cast<char>(c)); // Latin-1 as it stands, { | } ~ and the rest
}

} // namespace

std::vector<std::pair<std::size_t, std::size_t>> unshowableRanges(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const std::vector<bool> inside = insideGroups(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (inside[i] || shown(text[i]))
            continue;
        const std::size_t length = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        ranges.emplace_back(i, i + length);
        i += length - 1;
    }
    return ranges;
}

std::string writtenAsNote(std::string_view text, std::size_t caret)
{
    if (text.empty())
        return {};
    caret = std::min(caret, text.size());
    std::size_t at = caret > 0 ? caret - 1 : 0;
    if (at > 0 && text[at] == '\n' && text[at - 1] == '\r')
        --at; // the caret after a line break
    if (insideGroups(text)[at] || shown(text[at]))
        return {};
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        return "A line break is written as bytes 3D 3A, two control codes";
    const unsigned byte = (static_cast<unsigned char>(text[at]) + CharacterOffset) & 0xFF;
    const bool reference = classifyByte(static_cast<int>(byte)) == ByteClass::DictionaryReference;
    return nameOf(static_cast<unsigned char>(text[at])) + " is written as byte " + byteText(byte)
        + (reference ? ", which begins a dictionary reference" : ", a control code");
}

} // namespace scrivlet
