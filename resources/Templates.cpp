#include "ResourceIds.h"
#include "edit/Messages.h"
#include "ui/Template.h"

namespace scrivlet::ui {

namespace {

const DialogTemplate MainDialog102 = {
    ids::MainDialogTemplate, "", 320, 240, // 230, and a strip of ours for the two-line note below Apply Changes
    {
        // Grown, the list takes two thirds of the extra height and the edit box the rest;
        // the labels and Apply Changes stay attached below them.
        {-1, ControlKind::StaticBitmap, 0, 0, 320, 1, "", 0, 147, {0, 1, 0, 0}},
        {ids::ListView, ControlKind::ListView, 7, 10, 306, 115, "",
            ReportView | SingleSelection | ShowSelectionAlways | NoColumnHeader | SunkenEdge, 0, {0, 1, 0, 2.0 / 3}},
        {ids::LineLabel, ControlKind::StaticText, 7, 128, 68, 10, "", 0, 0, {0, 0, 2.0 / 3, 0}},
        {ids::SizeLabel, ControlKind::StaticText, 83, 128, 60, 10, "", 0, 0, {0, 0, 2.0 / 3, 0}},
        {ids::EditBox, ControlKind::Edit, 7, 144, 306, 60, "",
            MultiLine | VerticalScroll | AutoVerticalScroll | Border | CodeColours | FixedPitch, 0, {0, 1, 2.0 / 3, 1.0 / 3}},
        {ids::CurrentSizeLabel, ControlKind::StaticText, 7, 208, 111, 10, "", 0, 0, {0, 0, 1, 0}},
        {ids::ApplyButton, ControlKind::PushButton, 241, 208, 72, 16, "&Apply Changes", 0, 0, {1, 0, 1, 0}},
        {ids::CaretNote, ControlKind::StaticText, 7, 219, 230, 19, "", EndEllipsis, 0, {0, 1, 1, 0}},
        {ids::PreviewPane, ControlKind::Picture, 161, 144, 152, 60, "", Hidden, 0, {0.5, 0.5, 2.0 / 3, 1.0 / 3}},
        {ids::PreviewWindowLabel, ControlKind::StaticText, 122, 208, 30, 10, "Window:", Hidden, 0, {0, 0, 1, 0}},
        {ids::PreviewWindowEntry, ControlKind::Edit, 153, 206, 20, 12, "1", AutoHorizontalScroll | Border | Hidden, 0, {0, 0, 1, 0}},
        {ids::PreviewWindowSize, ControlKind::StaticText, 176, 208, 62, 10, "", Hidden, 0, {0, 0, 1, 0}},
    },
    ids::MainMenu,
    true,
    {{"Ctrl+Return", ids::ApplyButton}, {"Ctrl+Enter", ids::ApplyButton}, {"F3", ids::FindNextCommand}},
};

const DialogTemplate CodeReferenceDialog170 = {
    ids::CodeReferenceDialogTemplate, "Code Reference", 300, 200,
    {
        {-1, ControlKind::StaticText, 7, 9, 24, 8, "&Filter:"},
        {ids::CodeFilterEdit, ControlKind::Edit, 35, 7, 258, 12, "", AutoHorizontalScroll | Border, 0, {0, 1, 0, 0}},
        {ids::CodeList, ControlKind::ListView, 7, 24, 286, 122, "",
            ReportView | SingleSelection | ShowSelectionAlways | NoColumnHeader | SunkenEdge | FixedPitch, 0, {0, 1, 0, 1}},
        {ids::CodeDetails, ControlKind::StaticText, 7, 150, 286, 26, "", 0, 0, {0, 1, 1, 0}},
        {2, ControlKind::PushButton, 189, 179, 50, 14, "Close", 0, 0, {1, 0, 1, 0}},
        {ids::CodeInsertButton, ControlKind::PushButton, 243, 179, 50, 14, "&Insert", DefaultButton, 0, {1, 0, 1, 0}},
    },
    0,
    true,
};

const DialogTemplate FitCheckDialog174 = {
    ids::FitCheckDialogTemplate, "Check Text Fit", 300, 180,
    {
        {ids::FitList, ControlKind::ListView, 7, 7, 286, 146, "",
            ReportView | SingleSelection | ShowSelectionAlways | NoColumnHeader | SunkenEdge, 0, {0, 1, 0, 1}},
        {2, ControlKind::PushButton, 189, 159, 50, 14, "Close", 0, 0, {1, 0, 1, 0}},
        {ids::FitGoButton, ControlKind::PushButton, 243, 159, 50, 14, "&Go to", DefaultButton, 0, {1, 0, 1, 0}},
    },
    0,
    true,
};

const DialogTemplate FontDialog176 = {
    ids::FontDialogTemplate, messages::FontCaption, 560, 266,
    {
        {ids::FontGrid, ControlKind::Picture, 7, 7, 370, 252, ""},
        {ids::GlyphLabel, ControlKind::StaticText, 385, 7, 168, 20, ""},
        {ids::GlyphPicture, ControlKind::Picture, 385, 30, 110, 110, ""},
        {-1, ControlKind::StaticText, 385, 148, 30, 10, "&Width:"},
        {ids::GlyphWidthEdit, ControlKind::Edit, 417, 146, 30, 14, "", Border | DigitsOnly},
        {ids::GlyphApplyButton, ControlKind::PushButton, 453, 146, 50, 14, messages::FontApplyCaption},
        {ids::FontNote, ControlKind::StaticText, 385, 166, 168, 40, ""},
        {ids::FontSwitchButton, ControlKind::PushButton, 385, 210, 168, 14, messages::FontShowSaturn},
        {ids::FontMakeRoomButton, ControlKind::PushButton, 385, 228, 168, 14, messages::FontMakeRoomCaption},
        {2, ControlKind::PushButton, 503, 245, 50, 14, "Close"},
    },
};

const DialogTemplate ReferencesDialog172 = {
    ids::ReferencesDialogTemplate, "References", 260, 150,
    {
        {ids::ReferenceList, ControlKind::ListView, 7, 7, 246, 116, "",
            ReportView | SingleSelection | ShowSelectionAlways | NoColumnHeader | SunkenEdge, 0, {0, 1, 0, 1}},
        {2, ControlKind::PushButton, 149, 129, 50, 14, "Close", 0, 0, {1, 0, 1, 0}},
        {ids::ReferenceGoButton, ControlKind::PushButton, 203, 129, 50, 14, "&Go to", DefaultButton, 0, {1, 0, 1, 0}},
    },
    0,
    true,
};

const DialogTemplate TptEntryDialog157 = {
    ids::TptEntryDialogTemplate, "Text Pointer Table Entry Editor", 202, 117,
    {
        {-1, ControlKind::StaticText, 7, 7, 188, 19,
            "Note: Using this feature without the proper knowledge can seriously screw up your game.  Please read the help file first."},
        {-1, ControlKind::GroupBox, 7, 28, 188, 60, "Current Text Pointer Entry:"},
        {-1, ControlKind::StaticText, 19, 40, 96, 8, "SNES address pointed to:     $"},
        {ids::TptAddressEdit, ControlKind::Edit, 115, 39, 62, 12, "", AutoHorizontalScroll | Border},
        {-1, ControlKind::StaticText, 53, 56, 48, 8, "Sprite number:"},
        {ids::TptSpriteEdit, ControlKind::Edit, 115, 55, 62, 12, "", DigitsOnly | Border},
        {-1, ControlKind::StaticText, 38, 72, 63, 8, "Movement number:"},
        {ids::TptMovementEdit, ControlKind::Edit, 115, 71, 62, 12, "", DigitsOnly | Border},
        {2, ControlKind::PushButton, 46, 96, 73, 14, "Cancel"},
        {1, ControlKind::PushButton, 122, 96, 73, 14, "&Apply Changes", DefaultButton},
    },
};

const DialogTemplate SearchDialog153 = {
    ids::SearchDialogTemplate, "Search", 208, 46,
    {
        {-1, ControlKind::StaticText, 8, 6, 35, 9, "Find what:"},
        {ids::SearchTextEdit, ControlKind::Edit, 49, 4, 155, 12, "", AutoHorizontalScroll | Border},
        {ids::SearchFindButton, ControlKind::PushButton, 154, 29, 50, 14, "&Find", DefaultButton},
        {2, ControlKind::PushButton, 100, 29, 50, 14, "Cancel"},
    },
    0,
    false,
    {{"F3", ids::SearchFindButton}}, // Find again
};

const DialogTemplate DetailsDialog141 = {
    ids::DetailsDialogTemplate, "Details", 187, 142,
    {{ids::DetailsTabControl, ControlKind::TabControl, 0, 3, 187, 139, ""}},
};

const DialogTemplate AboutDialog100 = {
    ids::AboutDialogTemplate, "About", 248, 110,
    {
        {1, ControlKind::PushButton, 17, 89, 106, 14, "I love you, Quorbel!", DefaultButton},
        {ids::AboutPicture, ControlKind::StaticBitmap, 140, 7, 101, 96, "", SunkenEdge, 133},
        {-1, ControlKind::StaticText, 7, 7, 126, 73,
            "Scrivlet 3.0\nBy Quorbel (quorbel@scrivlet.invalid)\nhttps://scrivlet.invalid/\n"
            "https://scrivlet.invalid/help/\nhttps://scrivlet.invalid/fanclub/\n\n"
            "Join the Quorbel Fan Club!  The first 100 members get a free sock puppet named Fred and some free sushi!"},
    },
};

const DialogTemplate GizmoDialog163 = {
    ids::GizmoDialogTemplate, "Happy-Land is joy full place!", 186, 94,
    {
        {1, ControlKind::PushButton, 129, 73, 50, 14, "OK", DefaultButton},
        {-1, ControlKind::StaticBitmap, 7, 7, 33, 31, "", 0, 164},
        {-1, ControlKind::StaticText, 51, 7, 128, 26,
            "Hey, I ain't doing compression since you can use an extra meg of space now!  So play with these gizmos instead!"},
        {1053, ControlKind::Other, 7, 47, 55, 9, "trackbar"},
        {1054, ControlKind::Other, 71, 42, 11, 20, "updown"},
        {1055, ControlKind::Other, 35, 56, 33, 10, "Boo!"},
        {1056, ControlKind::Other, 112, 47, 59, 11, "ipaddress"},
        {1058, ControlKind::Other, 71, 71, 56, 16, "datetime"},
        {1059, ControlKind::PushButton, 7, 71, 62, 14, "Monkey bait"},
        {1060, ControlKind::Edit, 83, 34, 29, 12, "", Border},
    },
};

const std::vector<MenuTemplate> Menu129 = {
    {"&File",
        {{"&Open", ids::FileOpen, false, false, "Ctrl+O"}, {"&Close", ids::FileClose, false, false, "Ctrl+W"}, {},
            {"E&xit", ids::FileExit}, {}, {"&1", ids::FileRecent1}, {"&2", ids::FileRecent1 + 1}, {"&3", ids::FileRecent1 + 2},
            {"&4", ids::FileRecent1 + 3}}},
    {"&Edit",
        {{"&Undo", ids::EditUndo, false, false, "Ctrl+Z"}, {}, {"Cu&t", ids::EditCut, false, false, "Ctrl+X"},
            {"&Copy", ids::EditCopy, false, false, "Ctrl+C"}, {"&Paste", ids::EditPaste, false, false, "Ctrl+V"}, {},
            {"&Search", ids::EditSearch, false, false, "Ctrl+F"}}},
    {"&Tools",
        {{"&Expand ROM", ids::ToolsExpandRom}, {"Edit &TPT entry", ids::ToolsEditTptEntry},
            {"&View current details", ids::ToolsViewDetails}, {}, {"&Dump to text file", ids::ToolsDumpText}, {},
            {messages::ImportCommand, ids::ToolsImportText}, {messages::RelocateCommand, ids::ToolsMoveText},
            {messages::PatchCommand, ids::ToolsCreatePatch}, {}, {messages::UndoCommand, ids::ToolsUndoWrite}, {},
            {messages::CodeReferenceCommand, ids::ToolsCodeReference},
            {messages::GoToTargetCommand, ids::ToolsGoToTarget, false, false, "F12"},
            {messages::ReferencesCommand, ids::ToolsReferences}, {messages::CheckFitCommand, ids::ToolsCheckFit}, {},
            {messages::FontCommand, ids::ToolsFont}}},
    {"&Options",
        {{"&Pointer table listing", ids::OptionsPointerListing, true, true},
            {"&Raw text listing", ids::OptionsRawListing, false, true},
            {"&Expanded ROM listing", ids::OptionsExpandedListing, false, true}, {},
            {"Display &text and codes", ids::OptionsTextAndCodes, true, true},
            {"Display &codes only", ids::OptionsCodesOnly, false, true}, {},
            {"Use &Compression", ids::OptionsUseCompression},
            {"Prevent &Overwrites", ids::OptionsPreventOverwrites, true, true},
            {messages::CompressCommand, ids::OptionsCompressWhenWriting, false, true},
            {messages::GameGroupingCommand, ids::OptionsGameGrouping, false, true},
            {messages::ShowPreviewCommand, ids::OptionsShowPreview, false, true}, {},
            {messages::CharacterTableCommand, ids::OptionsCharacterTable}}},
    {"&Help", {{"&Help", ids::HelpHelp, false, false, "F1"}, {"&About", ids::HelpAbout}}, true},
};

} // namespace

const DialogTemplate* findDialogTemplate(int id)
{
    switch (id) {
    case ids::MainDialogTemplate: return &MainDialog102;
    case ids::TptEntryDialogTemplate: return &TptEntryDialog157;
    case ids::SearchDialogTemplate: return &SearchDialog153;
    case ids::DetailsDialogTemplate: return &DetailsDialog141;
    case ids::AboutDialogTemplate: return &AboutDialog100;
    case ids::GizmoDialogTemplate: return &GizmoDialog163;
    case ids::CodeReferenceDialogTemplate: return &CodeReferenceDialog170;
    case ids::ReferencesDialogTemplate: return &ReferencesDialog172;
    case ids::FitCheckDialogTemplate: return &FitCheckDialog174;
    case ids::FontDialogTemplate: return &FontDialog176;
    default: return nullptr;
    }
}

const std::vector<MenuTemplate>* findMenuTemplate(int id)
{
    return id == ids::MainMenu ? &Menu129 : nullptr;
}

} // namespace scrivlet::ui
