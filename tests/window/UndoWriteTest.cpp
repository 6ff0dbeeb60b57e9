// Tools > Undo last write: every kind of write taken back, the last first,
// down to the file as it was opened, byte for byte; refused when another
// program changed the file since.
#include "WindowFixture.h"

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class UndoWrite : public MainDialogTest {};

TEST_F(UndoWrite, EveryKindOfWriteIsTakenBackDownToTheFileAsOpened)
{
    const auto path = write(standardImage(0x300200));
    const auto opened = readFile(path);
    open(path);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsUndoWrite)) << "gray with nothing written";

    // Apply Changes, longer than the block.
    window.chooseMenu(ids::OptionsPreventOverwrites);
    window.typeText(ids::EditBox, "Hello there, a longer greeting[02]");
    window.clickButton(ids::ApplyButton);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsUndoWrite));
    // The record editor: a new address for row 3.
    window.clickRow(ids::ListView, 3);
    platform.drivers.push_back([](ui::HeadlessWindow& editor) {
        editor.typeText(ids::TptAddressEdit, "C51B12");
        editor.typeText(ids::TptSpriteEdit, "400");
        editor.clickButton(ui::IdOk);
    });
    window.chooseMenu(ids::ToolsEditTptEntry);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Hello there, a longer greeting");
    // Expand ROM, then Move text of row 1 into the expanded area.
    window.chooseMenu(ids::ToolsExpandRom);
    window.clickRow(ids::ListView, 1);
    window.typeText(ids::EditBox, "Moved far away[02]");
    window.chooseMenu(ids::ToolsMoveText);
    // Import: row 2 edited.
    window.chooseMenu(ids::ToolsDumpText);
    std::string dump = readTextFile(dir.file("ptrlist.txt"));
    dump.replace(dump.find("He[02]"), 6, "Yo[02]");
    std::ofstream(dir.file("edited.txt")) << dump;
    window.fileAnswers.push_back({dir.file("edited.txt").string(), "edited.txt"});
    window.chooseMenu(ids::ToolsImportText);
    const std::size_t messagesBefore = window.messages.size();
    ASSERT_NE(readFile(path), opened);

    // Import, Move, Expand, record, Apply: each undone in turn, shown as the write left it.
    window.clickRow(ids::ListView, 2);
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(window.listRowText(ids::ListView, 2), "He") << "the listing built again";
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/4") << "still on the row it showed";
    EXPECT_EQ(text(ids::CaretNote), "Undid the import") << "the line under the size line says what was taken back";
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(static_cast<std::uint32_t>(textCatalogue().rows[1].snesAddress), 0xC51B20u) << "the row back at its block";
    EXPECT_EQ(text(ids::CaretNote), "Undid the move of the text of line 2 ($C51B20)");
    EXPECT_EQ(window.listRowText(ids::ListView, 1), " longer greeting") << "the old block, which the first Apply ran into";
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(readFile(path).size(), 0x300200u) << "the expansion taken back: the old size";
    EXPECT_EQ(text(ids::CaretNote), "Undid the expansion");
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsExpandRom));
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "AAAA");
    EXPECT_EQ(textCatalogue().rows[3].spriteNumber, 1);
    EXPECT_EQ(text(ids::CaretNote), "Undid the change to the pointer table record of line 4 ($C51B50)");
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(readFile(path), opened) << "byte for byte the file as it was opened";
    EXPECT_EQ(text(ids::CaretNote), "Undid the write to line 1 ($C51B12)");
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hello");
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsUndoWrite)) << "nothing left to take back";
    EXPECT_EQ(window.messages.size(), messagesBefore) << "undoing says nothing when it works";
}

TEST_F(UndoWrite, AFileChangedByAnotherProgramIsNotUndone)
{
    const auto path = write(standardImage());
    open(path);
    window.typeText(ids::EditBox, "Howdy[02]");
    window.chooseMenu(ids::OptionsPreventOverwrites);
    window.clickButton(ids::ApplyButton);
    changeAsAnotherProgram(path, 0x51D50, 0x72); // another program's edit elsewhere
    const auto changed = readFile(path);
    window.chooseMenu(ids::ToolsUndoWrite);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Another program changed the ROM file after that write, so it was not undone.  Open it again.");
    EXPECT_EQ(window.messages[0].caption, "Write Not Undone");
    EXPECT_EQ(readFile(path), changed) << "nothing written";
}

TEST_F(UndoWrite, WhatCanBeUndoneBelongsToTheOpenFile)
{
    const auto path = write(standardImage());
    open(path);
    window.typeText(ids::EditBox, "Hi[02]");
    window.clickButton(ids::ApplyButton);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsUndoWrite));
    window.chooseMenu(ids::FileClose);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsUndoWrite));
    open(path);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsUndoWrite)) << "a file opened again starts with nothing to undo";
}

} // namespace
