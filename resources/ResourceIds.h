#pragma once

// Numbers of the templates, controls and menu commands.
namespace scrivlet::ids {

inline constexpr int MainDialogTemplate = 102;
inline constexpr int MainMenu = 129;

// Controls of the main window.
inline constexpr int ListView = 32774;
inline constexpr int EditBox = 1001;
inline constexpr int ApplyButton = 1002;
inline constexpr int CurrentSizeLabel = 1030;
inline constexpr int LineLabel = 1046;
inline constexpr int SizeLabel = 1047;
// Ours: what the character or code group under the caret is written as, or does.
inline constexpr int CaretNote = 1100;
// The game window's picture of the edit box's text, beside it while Show preview is checked.
inline constexpr int PreviewPane = 1101;
// Ours, shown with the preview: which entry of the game's window table it lays text out in.
inline constexpr int PreviewWindowLabel = 1102;
inline constexpr int PreviewWindowEntry = 1103;
inline constexpr int PreviewWindowSize = 1104;

// Menu commands.
inline constexpr int FileOpen = 32771;
inline constexpr int FileClose = 32772;
inline constexpr int FileExit = 32773;
inline constexpr int EditUndo = 57643;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int EditSearch = 32794;
inline constexpr int ToolsExpandRom = 32797;
inline constexpr int ToolsEditTptEntry = 32798;
inline constexpr int ToolsViewDetails = 32780;
inline constexpr int ToolsDumpText = 32800;
inline constexpr int ToolsImportText = 32801;
inline constexpr int ToolsMoveText = 32802;
inline constexpr int ToolsCreatePatch = 32803;
inline constexpr int ToolsUndoWrite = 32805;
// A key of the main window, no menu item: the next match of the last search.
inline constexpr int FindNextCommand = 32806;
inline constexpr int ToolsCodeReference = 32808;
inline constexpr int ToolsGoToTarget = 32809;
inline constexpr int ToolsReferences = 32810;
inline constexpr int ToolsCheckFit = 32812;
// File > the four ROMs opened last (ours, under the File menu's own items).
inline constexpr int FileRecent1 = 32813;
// Ours: the character table text is read and written through, and the font editor.
inline constexpr int OptionsCharacterTable = 32817;
inline constexpr int ToolsFont = 32818;
inline constexpr int RecentFileCount = 4;
inline constexpr int OptionsPointerListing = 32778;
inline constexpr int OptionsRawListing = 32779;
inline constexpr int OptionsExpandedListing = 32799;
inline constexpr int OptionsTextAndCodes = 32795;
inline constexpr int OptionsCodesOnly = 32796;
inline constexpr int OptionsUseCompression = 32775;
inline constexpr int OptionsPreventOverwrites = 32776;
inline constexpr int OptionsCompressWhenWriting = 32804;
inline constexpr int OptionsGameGrouping = 32807;
inline constexpr int OptionsShowPreview = 32811;
inline constexpr int HelpHelp = 32777;
inline constexpr int HelpAbout = 32774;

// Text pointer table entry editor.
inline constexpr int TptEntryDialogTemplate = 157;
inline constexpr int TptAddressEdit = 1052;
inline constexpr int TptSpriteEdit = 1053;
inline constexpr int TptMovementEdit = 1054;

// Search.
inline constexpr int SearchDialogTemplate = 153;
inline constexpr int SearchTextEdit = 1050;
inline constexpr int SearchFindButton = 1049;

// Details window.
inline constexpr int DetailsDialogTemplate = 141;
inline constexpr int DetailsTabControl = 1043;

// About box and gizmo dialog.
inline constexpr int AboutDialogTemplate = 100;
inline constexpr int AboutPicture = 1025;
inline constexpr int GizmoDialogTemplate = 163;

// Code reference: the table of control codes, filtered, one inserted at the caret.
inline constexpr int CodeReferenceDialogTemplate = 170;
inline constexpr int CodeFilterEdit = 1110;
inline constexpr int CodeList = 1111;
inline constexpr int CodeDetails = 1112;
inline constexpr int CodeInsertButton = 1113;

// Check text fit: the lines too wide for the game's window.
inline constexpr int FitCheckDialogTemplate = 174;
inline constexpr int FitList = 1130;
inline constexpr int FitGoButton = 1131;

// References to a block: the records and codes that point at it.
inline constexpr int ReferencesDialogTemplate = 172;
inline constexpr int ReferenceList = 1120;
inline constexpr int ReferenceGoButton = 1121;

// The font window: the glyphs in a grid, the chosen one large with its width.
inline constexpr int FontDialogTemplate = 176;
inline constexpr int FontGrid = 1140;
inline constexpr int GlyphPicture = 1141;
inline constexpr int GlyphLabel = 1142;
inline constexpr int GlyphWidthEdit = 1143;
inline constexpr int GlyphApplyButton = 1144;
inline constexpr int FontMakeRoomButton = 1145;
inline constexpr int FontSwitchButton = 1146;
inline constexpr int FontNote = 1147;

} // namespace scrivlet::ids
