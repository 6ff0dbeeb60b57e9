#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scrivlet {

// One character of UTF-8 text: its code point and how many bytes it takes.
// A byte that does not begin a well-formed sequence (a stray continuation, an
// overlong or cut-off sequence, a surrogate) is one character of its own that
// is not `valid`; its value is the byte.
struct Utf8Char {
    char32_t value = 0;
    std::size_t length = 1;
    bool valid = true;
};

Utf8Char utf8CharAt(std::string_view text, std::size_t at);

void appendUtf8(std::string& out, char32_t value);

// Each byte as the character of the same number (U+0000-U+00FF).
std::string latin1ToUtf8(std::string_view bytes);

// The reverse, when every character is well-formed and below U+0100.
std::optional<std::string> utf8ToLatin1(std::string_view text);

// The number of characters in text[0, end): a person's count of places.
std::size_t utf8Length(std::string_view text, std::size_t end = std::string_view::npos);

// The character at `at` as a person reads it: itself, or "U+2019" style for an
// invisible one, or the byte ("byte E9") when it is not UTF-8.
std::string describeChar(std::string_view text, std::size_t at);

} // namespace scrivlet
