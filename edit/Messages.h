#pragma once

// Every sentence the system says to its user, in one place, so the window and
// the command-line tool say the same words.
namespace scrivlet::messages {

inline constexpr const char* BadRomCaption = "Bad ROM";
inline constexpr const char* UnrecognizedRom = "This is an unrecognized ROM.";
inline constexpr const char* Mother2Caption = "Mother 2 ROM Not Supported";
inline constexpr const char* Mother2Rom = "This program does not work with the Mother 2 ROM.";

inline constexpr const char* PreWriteErrorCaption = "Pre-Write Error";
inline constexpr const char* BracketError =
    "A bracket error was detected.  Make sure all brackets are correct and try again.";
inline constexpr const char* TextTooLarge =
    "The new text is larger than the old text.\nShorten the text, or uncheck the Prevent Overwrite box.";
inline constexpr const char* TextNotWritten =
    "The text could not be written to the ROM file.  Check that the file is still there and can be written.";
inline constexpr const char* NoCurrentRow = "No text block is selected, so nothing was written.";

inline constexpr const char* RomExpandedCaption = "ROM Expanded";
inline constexpr const char* RomExpanded = "ROM expanded to 0x4001FF bytes.\nHave a nice day!";
inline constexpr const char* ExpansionErrorCaption = "Expansion Error";
inline constexpr const char* ExpansionNotWritten =
    "The ROM could not be expanded: the filler could not be written to the file.";
inline constexpr const char* ExpansionReopenFailed =
    "The ROM file could not be opened again after the expansion, so it has been closed.";

inline constexpr const char* TextDumpedCaption = "Text dumped";
inline constexpr const char* TextDumped = "Text has been dumped to %s!\nHave a nice day!"; // %s: file name
inline constexpr const char* DumpFailedCaption = "Text not dumped";
inline constexpr const char* DumpFailed = "The text could not be dumped: %s could not be written."; // %s: file name

inline constexpr const char* StringNotFoundCaption = "String not found";
inline constexpr const char* StringNotFound = "String not found.";

// The dialog framework's validation words.
inline constexpr const char* EnterInteger = "Please enter an integer.";
inline constexpr const char* EnterIntegerBetween = "Please enter an integer between %d and %d.";
inline constexpr const char* EnterNoMoreThan = "Please enter no more than %d characters.";

} // namespace scrivlet::messages
