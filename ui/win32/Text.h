#pragma once

// The platform speaks UTF-16; the program's display text is 8-bit. These keep
// every byte 0x00-0xFF across the boundary.

#include <string>

namespace scrivlet::ui::win32 {

// Captions, labels, one-line edits: each byte as its Latin-1 character.
std::wstring fromLatin1(const std::string& text);
std::string toLatin1(const std::wstring& text); // what Latin-1 cannot hold becomes '?'

// Display text of the edit box and the list: a CR LF pair is a line break; a
// lone CR, a lone LF and a NUL (which would end the platform's string) show as
// the control picture of their byte and come back as that byte.
std::wstring toDisplay(const std::string& text);
std::string fromDisplay(const std::wstring& text);

// File names and paths: UTF-8 in the program, UTF-16 for the platform.
std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

} // namespace scrivlet::ui::win32
