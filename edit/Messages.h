#pragma once

// Every sentence the system says to its user, in one place, so the window and
// the command-line tool say the same words.
namespace scrivlet::messages {

// The open-file dialog's choices for a ROM image.
inline constexpr const char* RomFileFilter = "SNES ROM (*.smc, *.sfc, *.fig)|*.smc; *.sfc; *.fig|All Files (*.*)|*.*||";

inline constexpr const char* BadRomCaption = "Bad ROM";
inline constexpr const char* UnrecognizedRom = "This is an unrecognized ROM.";
inline constexpr const char* Mother2Caption = "Mother 2 ROM Not Supported";
inline constexpr const char* Mother2Rom = "This program does not work with the Mother 2 ROM.";

inline constexpr const char* PreWriteErrorCaption = "Pre-Write Error";
inline constexpr const char* BracketError =
    "A bracket error was detected.  Make sure all brackets are correct and try again.";
inline constexpr const char* TextTooLarge =
    "The new text is larger than the old text.\nShorten the text, or uncheck the Prevent Overwrite box.";
inline constexpr const char* TextTooLargeCommandLine =
    "The new text is larger than the old text.\nShorten the text, or give --allow-overwrite.";
inline constexpr const char* FitsCompressed = "With Options > Compress when writing it would take %d bytes and fit.";
inline constexpr const char* FitsCompressedCommandLine = "With --compress it would take %d bytes and fit.";
// Closes a sentence that says what is wrong with a text.
inline constexpr const char* NothingWrittenEnd = ", so nothing was written.";
inline constexpr const char* NoCurrentRow = "No text block is selected, so nothing was written.";

// Why a write to the ROM did not happen; each says what the file now holds.
inline constexpr const char* WriteOutsideFile =
    "The write would reach past the end of the ROM file, so nothing was written.  Only Expand ROM makes the file longer.";
inline constexpr const char* WriteNotTheOpenFile =
    "The ROM file was moved, replaced or deleted after it was opened, so nothing was written.  Open it again.";
inline constexpr const char* WriteFailed =
    "The ROM file could not be written, so nothing in it was changed.  Check that the disk has room and the file can be written.";
inline constexpr const char* WriteDamaged =
    "Writing the ROM file failed part-way and its old bytes could not be put back, so the file may be damaged.  Restore it from a backup.";
inline constexpr const char* WriteNotOpenForUpdate = "The ROM file is not open for writing, so nothing was written.";
inline constexpr const char* WriteChangedOutside =
    "Another program changed the ROM file after this one last wrote it, so nothing was written.  Open it again.";
inline constexpr const char* RomLocked = "The ROM file is in use by another program, so nothing was written.";
inline constexpr const char* NotRegularFile = "This is not a regular file, so it cannot be a ROM image.";

// Why File > Open did not open a file it was given.
inline constexpr const char* RomNotOpenedCaption = "ROM Not Opened";
inline constexpr const char* OpenLocked =
    "The ROM file is in use by another program, so it was not opened.  Close it there and try again.";
inline constexpr const char* OpenMissing = "The ROM file no longer exists (it was moved or deleted), so it was not opened.";
inline constexpr const char* OpenedReadOnly =
    "This ROM file is read-only: it can be listed, shown, searched and dumped, but nothing can be written to it.";
inline constexpr const char* RomReadOnlyCaption = "Read-Only ROM";
inline constexpr const char* RomReadOnly = "The ROM file is read-only, so nothing was written.  Open a copy that may be written.";
inline constexpr const char* RecentFileGone = " no longer exists, so it was taken off the list of recent files."; // after the path
inline constexpr const char* MoreFilesIgnored = "Only the first file named was opened; the others were left alone."; // on the line under the size line
inline constexpr const char* OpenNotWritable =
    "The ROM file cannot be opened for writing (it is read-only, or you may not change it), so it was not opened.";
inline constexpr const char* OpenFailed = "The ROM file could not be opened.";
inline constexpr const char* TptRecordNotWritten = "The pointer table record was not written.";

inline constexpr const char* RomExpandedCaption = "ROM Expanded";
inline constexpr const char* RomExpanded = "ROM expanded to 0x4001FF bytes.\nHave a nice day!";
inline constexpr const char* ExpansionErrorCaption = "Expansion Error";

inline constexpr const char* TextDumpedCaption = "Text dumped";
inline constexpr const char* TextDumped = "Text has been dumped to %s!\nHave a nice day!"; // %s: file name
inline constexpr const char* DumpedTo = "Text dumped to "; // then the full path, on the line under the size line
inline constexpr const char* DumpFailedCaption = "Text not dumped";
inline constexpr const char* DumpFailed = "The text could not be dumped: %s could not be written."; // %s: file name

// Text typed but not applied, before an action would drop it. %d: its line.
inline constexpr const char* UnappliedCaption = "Unapplied Edits";
inline constexpr const char* Unapplied =
    "The text of line %d has edits that were not applied.\n\nYes applies them to that line, No discards them, Cancel goes back to the text.";

// Taking writes back.
inline constexpr const char* UndoCommand = "&Undo last write";
inline constexpr const char* UndoneCaption = "Write Not Undone";
// On the line under the size line once a write is taken back; "line N ($XXXXXX)" follows the first three.
inline constexpr const char* UndidWrite = "Undid the write to ";
inline constexpr const char* UndidRecord = "Undid the change to the pointer table record of ";
inline constexpr const char* UndidMove = "Undid the move of the text of ";
inline constexpr const char* UndidImport = "Undid the import";
inline constexpr const char* UndidExpansion = "Undid the expansion";
inline constexpr const char* UndoChangedOutside =
    "Another program changed the ROM file after that write, so it was not undone.  Open it again.";

// Taking a dump file back.
inline constexpr const char* ImportCommand = "&Import from text file...";
inline constexpr const char* ImportDialogTitle = "Import Text File";
inline constexpr const char* ImportSharedBlock = "This block is shared with another row that gives it a different text: line ";
inline constexpr const char* ImportOverlap = "This block overlaps the block of line "; // then the line number
inline constexpr const char* ImportOverlapEnd = ", and the two would write different bytes to the same place.";
inline constexpr const char* ImportPastEnd = "The text would reach past the end of the ROM file.  Only Expand ROM makes the file longer.";
inline constexpr const char* ImportedCaption = "Text imported";
inline constexpr const char* ImportRefusedCaption = "Text not imported";
inline constexpr const char* ImportRefusedIntro = "Nothing was written:\n";
inline constexpr const char* ImportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Moving a row's text into the expanded area.
inline constexpr const char* RelocateCommand = "&Move text to expanded area";
inline constexpr const char* RelocatedCaption = "Text moved";
inline constexpr const char* Relocated = "The text now stands at %s, and the row's pointer table record points there."; // %s: $XXXXXX
inline constexpr const char* RelocateNoRecord = "This row has no pointer table record to point at the moved text.";
inline constexpr const char* RelocateNotExpanded = "The ROM is not expanded: expand the ROM first.";
inline constexpr const char* RelocateNoRoom = "The expanded area has no run of free blocks large enough for this text.";
inline constexpr const char* RelocateRefusedCaption = "Text not moved";

// Writing text compressed with the image's dictionary.
inline constexpr const char* CompressCommand = "Compress &when writing";

// Patches.
inline constexpr const char* PatchCommand = "Create &patch...";
inline constexpr const char* PatchSaveTitle = "Save Patch";
inline constexpr const char* PatchFilter = "BPS patch (*.bps)|*.bps|IPS patch (*.ips)|*.ips||";
inline constexpr const char* PatchOriginalTitle = "Choose the original, unmodified ROM";
inline constexpr const char* PatchOriginalIsOpenFile =
    "The original must be the unmodified ROM, not the file open in the editor.  Choose the clean copy.";
inline constexpr const char* PatchNoDifferences = "The two images are the same, so there is nothing to put in a patch; nothing was written.";
inline constexpr const char* PatchReplaceCaption = "Replace Patch";
inline constexpr const char* PatchReplace = "%s already exists.  Replace it?"; // %s: the patch's file name
inline constexpr const char* PatchCreatedCaption = "Patch created";
inline constexpr const char* PatchCreated = "The patch has been written to %s."; // %s: the patch's file name
inline constexpr const char* PatchFailedCaption = "Patch not created";
inline constexpr const char* PatchOriginalUnreadable = "The original image could not be read.";
inline constexpr const char* PatchNotWritten = "The patch could not be written to %s."; // %s: the patch's file name

// Codes: what they do and where text leads.
inline constexpr const char* GameGroupingCommand = "&Group codes as the game does";
inline constexpr const char* CodeReferenceCommand = "Code &reference...";
inline constexpr const char* GoToTargetCommand = "&Go to target";
inline constexpr const char* ReferencesCommand = "Re&ferences to this block...";
inline constexpr const char* GoToTargetCaption = "Go to Target";
inline constexpr const char* NoTargetAtCaret =
    "The caret is not in a code that points at text.  Put it in a jump, a call or an address list, such as [08 ...] or [0A ...].";
inline constexpr const char* NoRowAtTarget = "No row of this listing starts at %s."; // %s: $XXXXXX
inline constexpr const char* ReferencesCaption = "References";
inline constexpr const char* ReferencesTitle = "References to %s"; // %s: $XXXXXX
inline constexpr const char* NoReferences = "Nothing in the pointer table or in the blocks of this listing points at %s."; // %s: $XXXXXX
// How text looks in the game's window.
inline constexpr const char* CheckFitCommand = "C&heck text fit...";
inline constexpr const char* ShowPreviewCommand = "Show pre&view";
inline constexpr const char* CheckFitCaption = "Check Text Fit";
inline constexpr const char* EverythingFits =
    "The game's window (%d pixels across, %d lines) cuts no word of this listing, and no text scrolls away before a wait.";
inline constexpr const char* FitCutRow = "Row %d, line %d: cut: %s";              // row and line counted from 1
inline constexpr const char* FitScrollRow = "Row %d, line %d: scrolls away: %s"; // the same
inline constexpr const char* PreviewWindowSize = "%d px, %d lines"; // the chosen window's text area
inline constexpr const char* RecordWithoutRow =
    "Record %d has no row in this listing; the pointer table listing shows it."; // %d: record number

// Character tables: the letters of a translation.
inline constexpr const char* CharacterTableCommand = "Character t&able...";
inline constexpr const char* CharacterTableCaption = "Character Table";
inline constexpr const char* CharacterTableFilter = "Character tables (*.tbl)|*.tbl|All Files (*.*)|*.*||";
inline constexpr const char* CharacterTableTitle = "Choose a character table";
inline constexpr const char* CharacterTableInUse =
    "The character table %s is in use.\n\nChoose Yes to choose another table file, or No to show this ROM's text without a table.";
inline constexpr const char* CharacterTableRefused = "The character table %s cannot be used: %s."; // file name, "line N: why"
inline constexpr const char* CharacterTableRefusedAtOpen = "The character table %s cannot be used: %s.  The text is shown without a table.";
inline constexpr const char* NoCharacterTable = "No character table: bytes show as the game's own letters and codes.";

// The font window.
inline constexpr const char* FontCommand = "F&ont...";
inline constexpr const char* FontCaption = "Font";
inline constexpr const char* FontApplyCaption = "&Apply";
inline constexpr const char* FontMakeRoomCaption = "Make room for 32 more letters";
inline constexpr const char* FontShowSaturn = "Show the Mr. &Saturn font";
inline constexpr const char* FontShowMain = "Show the &main font";
inline constexpr const char* GlyphLabelText = "Byte %02X, glyph %d of the %s font"; // byte, glyph, font name
inline constexpr const char* GlyphInTable = ": %s in the character table";
inline constexpr const char* GlyphPastFont =
    "Bytes B0-CF lie past this font's 96 glyphs: the game draws what follows it.  Make room for 32 more letters to draw them.";
inline constexpr const char* GlyphUnapplied =
    "The pixels or the width of byte %02X have changed.\n\nDo you want to write them to the ROM first?"; // byte
inline constexpr const char* GlyphWritten = "Byte %02X of the %s font written; Undo last write takes it back."; // byte, font name
inline constexpr const char* FontMoved = "The %s font now lies at %s with room for 128 letters; bytes B0-CF draw glyphs 96-127.";
inline constexpr const char* UndidFont = "Undid the change to the %s font";
// Fonts: each %s is the font's name, "main" or "Mr. Saturn".
inline constexpr const char* FontEntryUnknown =
    "The %s font's entry of the font table ($C3F054) does not hold the game's font or a moved one, so nothing was written.";
inline constexpr const char* FontGlyphPastRoom =
    "The %s font has room for 96 glyphs (bytes 50 to AF) where the game keeps it; bytes B0 to CF draw what lies after it.  "
    "Make room for 32 more letters first, so nothing was written.";
inline constexpr const char* FontWidthRange = "A glyph's width is 0 to 16 pixels, so nothing was written to the %s font.";
inline constexpr const char* FontNotExpanded =
    "The %s font can only be moved to the expanded area, and this ROM is not expanded.  Expand ROM first; nothing was written.";
inline constexpr const char* FontAlreadyMoved = "The %s font already has room for 128 letters; nothing was written.";
inline constexpr const char* FontNoRoom =
    "The expanded area has no 17 free blocks in a row for the %s font (moved text takes them), so nothing was written.";

inline constexpr const char* StringNotFoundCaption = "String not found";
inline constexpr const char* StringNotFound = "String not found.";

// The dialog framework's validation words.
inline constexpr const char* EnterInteger = "Please enter an integer.";
inline constexpr const char* EnterIntegerBetween = "Please enter an integer between %d and %d.";
inline constexpr const char* EnterNoMoreThan = "Please enter no more than %d characters.";

} // namespace scrivlet::messages
