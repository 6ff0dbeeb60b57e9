#include "Utf8.h"

#include <algorithm>
#include <cstdio>

namespace scrivlet {

Utf8Char utf8CharAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t value = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return {lead, 1, false};
    }
    if (at + length > text.size())
        return {lead, 1, false};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return {lead, 1, false};
        value = (value << 6) | (byte(k) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {lead, 1, false};
    return {value, length, true};
}

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::optional<std::string> utf8ToLatin1(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = utf8CharAt(text, i);
        if (!c.valid || c.value > 0xFF)
            return std::nullopt;
        out += static_cast<char>(c.value);
        i += c.length;
    }
    return out;
}

std::size_t utf8Length(std::string_view text, std::size_t end)
{
    end = std::min(end, text.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < end; i += utf8CharAt(text, i).length)
        ++count;
    return count;
}

std::string describeChar(std::string_view text, std::size_t at)
{
    const Utf8Char c = utf8CharAt(text, at);
    char name[16];
    if (!c.valid) {
        std::snprintf(name, sizeof name, "byte %02X", static_cast<unsigned>(c.value));
        return name;
    }
    switch (c.value) {
    case '\r': return "a carriage return";
    case '\n': return "a line feed";
    case '\t': return "a tab";
    default: break;
    }
    if (c.value < 0x20 || (c.value >= 0x7F && c.value < 0xA0) || c.value == 0xAD || (c.value >= 0x2000 && c.value <= 0x200F)) {
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c.value));
        return name;
    }
    return std::string(text.substr(at, c.length));
}

} // namespace scrivlet
