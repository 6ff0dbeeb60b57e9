// Typed text that was not applied: every action that would drop it asks
// first (Yes applies it to its line, No discards it, Cancel goes back to it);
// with nothing unapplied, nothing asks.
#include "WindowFixture.h"

#include "tools/TptEntryDialog.h"

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

const std::string Question =
    "The text of line 1 has edits that were not applied.\n\nYes applies them to that line, No discards them, Cancel goes back to the text.";

class UnappliedText : public OpenedRomTest {
protected:
    // Types into row 0 ("Hello[02]") and leaves the text unapplied.
    void typeUnapplied(const std::string& typed = "Howdy[02]") { window.typeText(ids::EditBox, typed); }
    std::size_t questions() const
    {
        std::size_t n = 0;
        for (const ui::MessageRecord& m : window.messages)
            n += m.caption == "Unapplied Edits";
        return n;
    }
};

TEST_F(UnappliedText, MovingToAnotherRowAsksAndEachAnswerDoesWhatItSays)
{
    typeUnapplied();
    window.answers.push_back(ui::Answer::Cancel);
    window.clickRow(ids::ListView, 2);
    ASSERT_EQ(questions(), 1u);
    EXPECT_EQ(window.messages[0].text, Question);
    EXPECT_EQ(window.messages[0].buttons, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    EXPECT_EQ(window.messages[0].icon, ui::MessageIcon::Question);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0) << "Cancel: the mark goes back to the edited row";
    EXPECT_EQ(text(ids::EditBox), "Howdy[02]") << "its text untouched";
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/4");
    EXPECT_EQ(readFile(path), before);

    window.answers.push_back(ui::Answer::No);
    window.pressKey(ids::ListView, 1);
    EXPECT_EQ(text(ids::EditBox), "Go to Onett![03 02]") << "No: discarded, the row reached is shown";
    EXPECT_EQ(readFile(path), before);

    window.clickRow(ids::ListView, 0);
    typeUnapplied("Hi[02]");
    window.answers.push_back(ui::Answer::Yes);
    window.clickRow(ids::ListView, 3, true); // a right click, which then opens the record editor
    EXPECT_EQ(readFile(path)[0x51D12], 0x78) << "Yes: written to the edited row, not the one clicked";
    EXPECT_EQ(readFile(path)[0x51D13], 0x99);
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hi");
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4") << "then the row reached is shown";
    EXPECT_EQ(platform.modalTemplatesRun, std::vector<int>{ids::TptEntryDialogTemplate});
}

TEST_F(UnappliedText, ARefusedApplyStopsTheAction)
{
    typeUnapplied("A text much longer than the five letters of the block[02]");
    window.answers.push_back(ui::Answer::Yes);
    window.clickRow(ids::ListView, 1);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].caption, "Pre-Write Error") << "Prevent Overwrites refused it";
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0) << "so the row did not change";
    EXPECT_EQ(text(ids::EditBox), "A text much longer than the five letters of the block[02]");
    EXPECT_EQ(readFile(path), before);
}

TEST_F(UnappliedText, ListingsDisplayModesOpenCloseAndExitAsk)
{
    typeUnapplied();
    for (int command : {ids::OptionsRawListing, ids::OptionsCodesOnly, ids::FileClose, ids::FileExit}) {
        window.answers.push_back(ui::Answer::Cancel);
        window.chooseMenu(command);
        EXPECT_EQ(text(ids::EditBox), "Howdy[02]") << command << ": Cancel keeps everything";
    }
    EXPECT_EQ(questions(), 4u);
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsPointerListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsCodesOnly));
    EXPECT_TRUE(dialog.romOpen());
    EXPECT_FALSE(window.ended());

    // Open asks only once a file passed its checks: a refused one drops nothing.
    const auto other = write(standardImage(), "other.smc");
    window.fileAnswers.push_back({dir.file("missing.smc").string(), "missing.smc"});
    window.chooseMenu(ids::FileOpen);
    EXPECT_EQ(questions(), 4u);
    window.answers.push_back(ui::Answer::Cancel);
    window.fileAnswers.push_back({other.string(), "other.smc"});
    window.chooseMenu(ids::FileOpen);
    EXPECT_EQ(questions(), 5u);
    EXPECT_EQ(dialog.romFileName, "rom.smc") << "Cancel: the ROM open stays";
    EXPECT_EQ(text(ids::EditBox), "Howdy[02]");

    window.answers.push_back(ui::Answer::Yes);
    window.chooseMenu(ids::FileExit);
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(readFile(path)[0x51D13], 0x9F) << "Yes: applied before the window ended";
}

TEST_F(UnappliedText, EscapeAndTheCloseBoxAskButEnterIsNoWayOut)
{
    typeUnapplied();
    window.pressEnter();
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(questions(), 0u);
    window.answers.push_back(ui::Answer::Cancel);
    window.pressEscape();
    EXPECT_FALSE(window.ended());
    window.answers.push_back(ui::Answer::Cancel);
    window.pressCloseBox();
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(questions(), 2u);
    window.answers.push_back(ui::Answer::No);
    window.pressCloseBox();
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(readFile(path), before);
}

TEST_F(UnappliedText, NothingAsksWhenNothingIsUnapplied)
{
    window.typeText(ids::EditBox, "Howdy[02]");
    window.typeText(ids::EditBox, "Hello[02]"); // typed back to what is shown
    window.clickRow(ids::ListView, 1);
    window.chooseMenu(ids::OptionsRawListing);
    window.chooseMenu(ids::OptionsCodesOnly);
    window.chooseMenu(ids::FileClose);
    EXPECT_TRUE(window.messages.empty());
    window.pressEscape();
    EXPECT_TRUE(window.ended());
}

TEST_F(UnappliedText, SearchImportAndANewRecordAddressAsk)
{
    typeUnapplied();
    // Search: the question is the search window's.
    platform.drivers.push_back([&](ui::HeadlessWindow& search) {
        search.typeText(ids::SearchTextEdit, "aaaa");
        search.answers.push_back(ui::Answer::Cancel);
        search.clickButton(ids::SearchFindButton);
        EXPECT_EQ(search.messages.size(), 1u);
        EXPECT_EQ(search.messages[0].text, Question);
    });
    window.chooseMenu(ids::EditSearch);
    EXPECT_EQ(text(ids::EditBox), "Howdy[02]");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);

    // Import lists again: asked after the file is chosen.
    window.chooseMenu(ids::OptionsPreventOverwrites);
    std::ofstream(dir.file("dump.txt")) << "Hello[02]\nGo to Onett![03 02]\nHe[02]\nBBBB[02]\n";
    window.fileAnswers.push_back({dir.file("dump.txt").string(), "dump.txt"});
    window.answers.push_back(ui::Answer::Cancel);
    window.chooseMenu(ids::ToolsImportText);
    EXPECT_EQ(window.fileDialogTitles.back(), "Import Text File");
    EXPECT_EQ(questions(), 1u);
    EXPECT_EQ(readFile(path), before) << "Cancel: nothing imported";

    // The record editor with a new address shows the new block: asked first.
    platform.drivers.push_back([](ui::HeadlessWindow& editor) {
        editor.typeText(ids::TptAddressEdit, "C51B50");
        editor.clickButton(ui::IdOk);
    });
    window.answers.push_back(ui::Answer::Cancel);
    window.chooseMenu(ids::ToolsEditTptEntry);
    EXPECT_EQ(questions(), 2u);
    EXPECT_EQ(readFile(path), before) << "Cancel: the record is not written";
    EXPECT_EQ(text(ids::EditBox), "Howdy[02]");
}

} // namespace
