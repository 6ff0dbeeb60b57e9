#include "WindowFixture.h"
#include "catalogue/TptRecord.h"
#include "tools/TptEntryDialog.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class TptEditorTest : public OpenedRomTest {
protected:
    // Queues what the user does while the editor is up.
    void whileEditorIsOpen(ui::HeadlessPlatform::Driver driver) { platform.drivers.push_back(std::move(driver)); }
};

TEST(TptEntryDialogAddress, ReadsLikeTheStandardUnsignedConversion)
{
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"1a", 0x1A}, {"xyz", 0}, {"12G4", 0x12}, {"0x1A", 0x1A}, {" C51B12", 0xC51B12}, {"-1", 0xFFFFFFFF},
        {"", 0}, {"+ff", 0xFF}};
    for (auto [text, value] : cases)
        EXPECT_EQ(parseAddressText(text), value) << text;
    TptEntryDialog dialog;
    dialog.setEntry(0, 1, 2);
    EXPECT_EQ(dialog.parsedAddress(), 0u);
}

TEST_F(TptEditorTest, OpensWithTheRowsFieldsAndWritesTheRecord)
{
    window.clickRow(ids::ListView, 1);
    window.typeText(ids::EditBox, "unapplied edit");
    whileEditorIsOpen([](ui::HeadlessWindow& editor) {
        EXPECT_EQ(editor.caption(), "Text Pointer Table Entry Editor");
        EXPECT_EQ(editor.controlText(ids::TptAddressEdit), "C51B20");
        EXPECT_EQ(editor.controlText(ids::TptSpriteEdit), "7");
        EXPECT_EQ(editor.controlText(ids::TptMovementEdit), "8");
        EXPECT_EQ(editor.control(ids::TptAddressEdit).editLimit, 6);
        editor.typeText(ids::TptSpriteEdit, "300");
        editor.typeText(ids::TptMovementEdit, "255");
        editor.clickButton(ui::IdOk);
        EXPECT_TRUE(editor.ended());
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsEditTptEntry));
    const auto onDisk = readFile(path);
    const std::size_t r = 0xF8B92 + 17;
    EXPECT_EQ(onDisk[r + 5], 0x2C);
    EXPECT_EQ(onDisk[r + 6], 0x01);
    EXPECT_EQ(onDisk[r + 8], 0xFF);
    EXPECT_EQ(textCatalogue().rows[1].spriteNumber, 300);
    EXPECT_EQ(window.controlText(ids::EditBox), "unapplied edit") << "an unchanged address refreshes nothing";
}

TEST_F(TptEditorTest, AChangedAddressRelabelsTheRowAndReloadsTheEntry)
{
    window.clickRow(ids::ListView, 0);
    whileEditorIsOpen([](ui::HeadlessWindow& editor) {
        editor.typeText(ids::TptAddressEdit, "c51b50");
        editor.clickButton(ui::IdOk);
    });
    window.clickRow(ids::ListView, 0, true); // right click in the pointer listing opens the editor
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "AAAA");
    EXPECT_EQ(window.controlText(ids::EditBox), "AAAA[02]");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0xF8B92 + 13, onDisk.begin() + 0xF8B92 + 17),
        (std::vector<std::uint8_t>{0x50, 0x1B, 0xC5, 0x00}));
}

TEST_F(TptEditorTest, RefusalsKeepTheDialogOpenWithTheFocusOnTheField)
{
    whileEditorIsOpen([](ui::HeadlessWindow& editor) {
        editor.typeText(ids::TptSpriteEdit, "464");
        editor.typeText(ids::TptMovementEdit, "256");
        editor.clickButton(ui::IdOk);
        EXPECT_FALSE(editor.ended());
        ASSERT_EQ(editor.messages.size(), 1u) << "only the first failing field is reported";
        EXPECT_EQ(editor.messages[0].text, "Please enter an integer between 0 and 463.");
        EXPECT_EQ(editor.focusedControl(), ids::TptSpriteEdit);
        editor.typeText(ids::TptSpriteEdit, "463");
        editor.clickButton(ui::IdOk);
        EXPECT_FALSE(editor.ended());
        EXPECT_EQ(editor.messages[1].text, "Please enter an integer between 0 and 255.");
        EXPECT_EQ(editor.focusedControl(), ids::TptMovementEdit);
        editor.typeText(ids::TptMovementEdit, "x");
        editor.clickButton(ui::IdOk);
        EXPECT_EQ(editor.messages[2].text, "Please enter an integer.");
        editor.clickButton(ui::IdCancel);
    });
    window.chooseMenu(ids::ToolsEditTptEntry);
    EXPECT_EQ(readFile(path), before) << "Cancel after a refused Apply writes nothing";
    EXPECT_EQ(textCatalogue().rows[0].spriteNumber, 5);
}

#ifndef _WIN32 // wine keeps a deleted open file under its name until it is closed
TEST_F(TptEditorTest, ARecordThatCannotBeWrittenLeavesTheRowAsTheFileHasIt)
{
    window.clickRow(ids::ListView, 0);
    const TextEntry old = textCatalogue().rows[0];
    fs::remove(path); // the write cannot land: the image is gone
    whileEditorIsOpen([](ui::HeadlessWindow& editor) {
        editor.typeText(ids::TptAddressEdit, "c51b50");
        editor.typeText(ids::TptSpriteEdit, "9");
        editor.clickButton(ui::IdOk);
    });
    window.chooseMenu(ids::ToolsEditTptEntry);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].caption, "Pre-Write Error");
    EXPECT_EQ(window.messages[0].text,
        "The pointer table record was not written.  The ROM file was moved, replaced or deleted after it was opened, "
        "so nothing was written.  Open it again.");
    const TextEntry now = textCatalogue().rows[0];
    EXPECT_EQ(now.snesAddress, old.snesAddress) << "the row keeps the address the record holds";
    EXPECT_EQ(now.spriteNumber, old.spriteNumber);
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hello");
}
#endif

TEST_F(TptEditorTest, NoRecordNoEditor)
{
    window.chooseMenu(ids::OptionsRawListing);
    window.clickRow(ids::ListView, 0, true);
    EXPECT_EQ(platform.modalTemplatesRun, std::vector<int>{ids::DetailsDialogTemplate}) << "raw rows open details, not the editor";
    window.setListSelectionMark(ids::ListView, -1);
    window.chooseMenu(ids::OptionsPointerListing);
    window.setListSelectionMark(ids::ListView, -1);
    dialog.editTptEntry();
    EXPECT_EQ(platform.modalTemplatesRun.size(), 1u) << "no mark, no editor";
    EXPECT_EQ(readFile(path), before);
}

} // namespace
