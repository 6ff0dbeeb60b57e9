// What codes do and where text leads: the game's grouping as an option, the
// name line and tooltip, the code reference, going to a target, references.
#include "WindowFixture.h"

#include "text/ControlCodes.h"
#include "tools/CodeReferenceDialog.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class CodeTools : public MainDialogTest {
protected:
    void openReferences() { open(write(referencesImage())); }
    std::vector<std::string> listRows(ui::HeadlessWindow& w, int id) const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < w.listRowCount(id); ++i)
            rows.push_back(w.listRowText(id, i));
        return rows;
    }
};

TEST_F(CodeTools, TheGameGroupingIsAnOptionThatRebuildsTheListingAndAsksFirst)
{
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsGameGrouping));
    for (int id : {ids::OptionsGameGrouping, ids::ToolsCodeReference, ids::ToolsGoToTarget, ids::ToolsReferences})
        EXPECT_FALSE(window.isMenuItemEnabled(id)) << "gray with no ROM open";
    openReferences();
    // Row 4 is [09 02 ...]: the classic table reads 09 with one byte, so its 02 ends the block.
    window.clickRow(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "[09 02]");
    window.typeText(ids::EditBox, "[09 02]changed");
    window.answers.push_back(ui::Answer::Cancel);
    ASSERT_TRUE(window.chooseMenu(ids::OptionsGameGrouping));
    EXPECT_EQ(window.messages.back().caption, "Unapplied Edits");
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsGameGrouping)) << "Cancel leaves the option as it was";
    EXPECT_EQ(text(ids::EditBox), "[09 02]changed");

    window.answers.push_back(ui::Answer::No);
    ASSERT_TRUE(window.chooseMenu(ids::OptionsGameGrouping));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsGameGrouping));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 3) << "listed again, still on the block it showed";
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/7");
    EXPECT_EQ(text(ids::EditBox), "[09 02 12 1B C5 00 30 1B C5 00]y[02]") << "the list of two addresses is one group";
    EXPECT_EQ(text(ids::SizeLabel), "Size: 12");

    ASSERT_TRUE(window.chooseMenu(ids::OptionsGameGrouping));
    window.clickRow(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "[09 02]") << "off again: the classic grouping";
    ASSERT_TRUE(window.chooseMenu(ids::FileClose));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsGameGrouping));
}

TEST_F(CodeTools, TheLineBelowAndTheTooltipNameTheCodesOfTheGroupUnderTheCaret)
{
    openReferences();
    window.typeText(ids::EditBox, "Hi [1C 02 01][03 FE] [7F 7F]end");
    window.moveCaret(ids::EditBox, 5);
    EXPECT_EQ(text(ids::CaretNote), "1C 02 print_char_name: Print the name of the character given by the byte");
    window.moveCaret(ids::EditBox, 3);
    EXPECT_EQ(text(ids::CaretNote), "1C 02 print_char_name: Print the name of the character given by the byte")
        << "right before its [";
    window.moveCaret(ids::EditBox, 16);
    EXPECT_EQ(text(ids::CaretNote),
        "03 wait_prompt: Halt for a button press with the prompt (short pause in battle); FE: not in the code table")
        << "each code of the group";
    window.moveCaret(ids::EditBox, 1);
    EXPECT_EQ(text(ids::CaretNote), "") << "plain letters";

    EXPECT_EQ(window.hover(ids::EditBox, 8), "1C 02 print_char_name: Print the name of the character given by the byte");
    EXPECT_EQ(window.hover(ids::EditBox, 22), "") << "a group of bytes the game prints as letters names no code";
    EXPECT_EQ(window.hover(ids::EditBox, 0), "");
    EXPECT_EQ(window.hover(ids::ListView, 0), "") << "only the edit box has tips";
}

TEST_F(CodeTools, TheCodeReferenceFiltersAndInsertsOneGroupAtTheCaret)
{
    openReferences();
    window.typeText(ids::EditBox, "AB");
    window.moveCaret(ids::EditBox, 1);
    platform.drivers.push_back([&](ui::HeadlessWindow& reference) {
        EXPECT_EQ(reference.listRowCount(ids::CodeList), static_cast<int>(controlCodeTable().rows().size()));
        reference.typeText(ids::CodeFilterEdit, "PRINT name character");
        const auto rows = listRows(reference, ids::CodeList);
        ASSERT_FALSE(rows.empty());
        for (const std::string& row : rows)
            EXPECT_NE(row.find("print"), std::string::npos) << row;
        reference.typeText(ids::CodeFilterEdit, "no such words");
        EXPECT_EQ(reference.listRowCount(ids::CodeList), 0);
        EXPECT_FALSE(reference.isControlEnabled(ids::CodeInsertButton));
        EXPECT_EQ(reference.controlText(ids::CodeDetails), "No code matches the filter.");
        reference.typeText(ids::CodeFilterEdit, "1c 02");
        ASSERT_GE(reference.listRowCount(ids::CodeList), 1);
        EXPECT_EQ(reference.listRowText(ids::CodeList, 0).substr(0, 19), "1C 02  print_char_n");
        reference.clickRow(ids::CodeList, 0);
        EXPECT_NE(reference.controlText(ids::CodeDetails).find("Insert puts in [1C 02 00]."), std::string::npos);
        reference.clickButton(ids::CodeInsertButton);
        EXPECT_TRUE(reference.ended());
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCodeReference));
    EXPECT_EQ(text(ids::EditBox), "A[1C 02 00]B");
    EXPECT_EQ(window.editCaret(ids::EditBox), 11) << "the caret after the group";

    platform.drivers.push_back([](ui::HeadlessWindow& reference) { reference.pressEscape(); });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCodeReference));
    EXPECT_EQ(text(ids::EditBox), "A[1C 02 00]B") << "closed: nothing put in";
}

TEST(CodeReferenceInsertion, ArgumentsAreZeroAndListsAndStringsFollowTheGrouping)
{
    const auto insertion = [](int code, int sub, CodeGrouping grouping) {
        return CodeReferenceDialog::insertionFor(*controlCodeTable().find(code, sub), grouping);
    };
    EXPECT_EQ(insertion(0x0A, -1, CodeGrouping::Classic), "[0A 00 00 00 00]");
    EXPECT_EQ(insertion(0x09, -1, CodeGrouping::Game), "[09 00]") << "a list of no addresses";
    EXPECT_EQ(insertion(0x1F, 0xC0, CodeGrouping::Game), "[1F C0 00]");
    EXPECT_EQ(insertion(0x19, 0x02, CodeGrouping::Game), "[19 02 00 02]") << "one string byte and its end";
    EXPECT_EQ(insertion(0x02, -1, CodeGrouping::Game), "[02]");
}

TEST_F(CodeTools, GoToTargetSelectsTheRowACodePointsAtOrSaysWhyNot)
{
    openReferences();
    window.clickRow(ids::ListView, 1);
    ASSERT_EQ(text(ids::EditBox), "Go[0A 12 1B C5 00]no[02]");
    window.moveCaret(ids::EditBox, 0);
    ASSERT_TRUE(window.pressShortcut("F12"));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].caption, "Go to Target");
    EXPECT_EQ(window.messages[0].text, "The caret is not in a code that points at text.  Put it in a jump, a call or an "
                                       "address list, such as [08 ...] or [0A ...].");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 1);

    window.moveCaret(ids::EditBox, 10);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsGoToTarget));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);
    EXPECT_EQ(text(ids::EditBox), "Target[02]");

    window.typeText(ids::EditBox, "[08 00 00 C6 00]");
    window.moveCaret(ids::EditBox, 2);
    window.answers.push_back(ui::Answer::No);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsGoToTarget));
    EXPECT_EQ(window.messages.back().text, "No row of this listing starts at $C60000.");
    EXPECT_EQ(text(ids::EditBox), "[08 00 00 C6 00]") << "nothing moved, so nothing was dropped";
}

TEST_F(CodeTools, GoToTargetFollowsAnAddressListOnlyAsTheGameGroupsIt)
{
    openReferences();
    ASSERT_TRUE(window.chooseMenu(ids::OptionsGameGrouping));
    window.clickRow(ids::ListView, 3);
    ASSERT_EQ(text(ids::EditBox), "[09 02 12 1B C5 00 30 1B C5 00]y[02]");
    window.moveCaret(ids::EditBox, 22); // in the second address
    ASSERT_TRUE(window.chooseMenu(ids::ToolsGoToTarget));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 1) << "$C51B30";
    window.clickRow(ids::ListView, 4);
    ASSERT_EQ(text(ids::EditBox), "[19 02 71 01 12 1B C5 00]z[02]");
    window.moveCaret(ids::EditBox, 14);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsGoToTarget));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0) << "the address after an option string";
}

TEST_F(CodeTools, ReferencesListRecordsAndCodesAndChoosingOneGoesToItsRow)
{
    openReferences();
    ASSERT_TRUE(window.chooseMenu(ids::OptionsGameGrouping));
    window.clickRow(ids::ListView, 0);
    platform.drivers.push_back([&](ui::HeadlessWindow& references) {
        EXPECT_EQ(references.caption(), "References to $C51B12");
        const auto rows = listRows(references, ids::ReferenceList);
        ASSERT_EQ(rows.size(), 7u) << ::testing::PrintToString(rows);
        EXPECT_EQ(rows[0], "Record 0 of the pointer table");
        EXPECT_EQ(rows[1], "Record 6 of the pointer table");
        EXPECT_EQ(rows[2], "Row 2 ($C51B30), byte 2: jump_text") << ::testing::PrintToString(rows);
        references.clickRow(ids::ReferenceList, 3);
        references.clickButton(ids::ReferenceGoButton);
        EXPECT_TRUE(references.ended());
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsReferences));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 2) << "the row whose code calls it";
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/7");

    // In the raw listing a record has no row of its own: the window says so and stays.
    ASSERT_TRUE(window.chooseMenu(ids::OptionsRawListing));
    window.clickRow(ids::ListView, 0);
    platform.drivers.push_back([&](ui::HeadlessWindow& references) {
        references.doubleClickRow(ids::ReferenceList, 0);
        ASSERT_EQ(references.messages.size(), 1u);
        EXPECT_EQ(references.messages[0].text, "Record 0 has no row in this listing; the pointer table listing shows it.");
        EXPECT_FALSE(references.ended());
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsReferences));
}

TEST_F(CodeTools, ABlockNothingPointsAtSaysSo)
{
    openReferences();
    ASSERT_TRUE(window.chooseMenu(ids::OptionsRawListing));
    window.clickRow(ids::ListView, 4); // the classic grouping's block after [09 02]
    ASSERT_EQ(text(ids::EditBox), "[12 1B C5 00 30 1B C5 00]y[02]");
    ASSERT_TRUE(window.chooseMenu(ids::ToolsReferences));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Nothing in the pointer table or in the blocks of this listing points at $C51B62.");
    EXPECT_EQ(window.messages[0].caption, "References");
    EXPECT_TRUE(platform.modalTemplatesRun.empty());
}

} // namespace
