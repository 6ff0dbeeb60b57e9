#pragma once

// The platform speaks UTF-16; the program's text is UTF-8. Display text keeps
// every byte the program may hold across the boundary.

#include <string>
#include <vector>

namespace scrivlet::ui::win32 {

// Captions, labels, one-line edits, file names and paths.
std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

// Display text of the edit box and the list: a CR LF pair is a line break; a
// lone CR, a lone LF and a NUL (which would end the platform's string) show as
// the control picture of their byte and come back as that byte.
std::wstring toDisplay(const std::string& text);
std::string fromDisplay(const std::wstring& text);

// The program's place (a line break two, a letter its UTF-8 bytes, a control
// picture its one byte) of the end of `shown`, display text as a control holds
// it (a RichEdit holds a line break as one CR, an EDIT as CR LF).
int programPlace(const std::wstring& shown);

// For each program place of `text` (0 to its size), the place in a RichEdit,
// which holds a line break as one character.
std::vector<long> richPlaces(const std::string& text);

} // namespace scrivlet::ui::win32
