// The Tools menu's import, move and patch commands in the window.
#include "WindowFixture.h"
#include "rom/Patch.h"

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class TranslationTools : public MainDialogTest {
protected:
    void answerFile(const fs::path& path) { window.fileAnswers.push_back({path.string(), path.filename().string()}); }
};

TEST_F(TranslationTools, TheNewCommandsStandAtTheEndOfTheToolsMenuBelowASeparator)
{
    const auto& menus = *ui::findMenuTemplate(ids::MainMenu);
    const ui::MenuTemplate& tools = menus[2];
    ASSERT_EQ(tools.caption, "&Tools");
    std::vector<std::pair<std::string, int>> items;
    for (const ui::MenuItemTemplate& item : tools.items)
        items.emplace_back(item.caption, item.id);
    const std::vector<std::pair<std::string, int>> expected{{"&Expand ROM", ids::ToolsExpandRom},
        {"Edit &TPT entry", ids::ToolsEditTptEntry}, {"&View current details", ids::ToolsViewDetails}, {"", 0},
        {"&Dump to text file", ids::ToolsDumpText}, {"", 0}, {"&Import from text file...", ids::ToolsImportText},
        {"&Move text to expanded area", ids::ToolsMoveText}, {"Create &patch...", ids::ToolsCreatePatch}, {"", 0},
        {"&Undo last write", ids::ToolsUndoWrite}, {"", 0}, {"Code &reference...", ids::ToolsCodeReference},
        {"&Go to target", ids::ToolsGoToTarget}, {"Re&ferences to this block...", ids::ToolsReferences},
        {"C&heck text fit...", ids::ToolsCheckFit}, {"", 0}, {"F&ont...", ids::ToolsFont}};
    EXPECT_EQ(items, expected) << "each with its access letter";
    for (int id : {ids::ToolsImportText, ids::ToolsMoveText, ids::ToolsCreatePatch, ids::ToolsUndoWrite, ids::ToolsFont,
             ids::OptionsCharacterTable})
        EXPECT_FALSE(window.isMenuItemEnabled(id)) << "gray with no ROM open";
}

TEST_F(TranslationTools, ImportWritesTheEditedRowsAndListsAgain)
{
    const auto path = write(standardImage());
    open(path);
    window.chooseMenu(ids::ToolsDumpText);
    std::string dump = readTextFile(dir.file("ptrlist.txt"));
    dump.replace(dump.find("Hello"), 5, "Hullo");
    std::ofstream(dir.file("edited.txt")) << dump;
    answerFile(dir.file("edited.txt"));
    window.clickRow(ids::ListView, 2);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsImportText));
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text, "1 row changed, 3 rows unchanged.");
    EXPECT_EQ(window.messages[1].caption, "Text imported");
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hullo");
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/4") << "the listing was built again, still on the row it showed";

    dump.replace(dump.find("AAAA[02]"), 8, "AAAA[02");
    std::ofstream(dir.file("broken.txt")) << dump;
    answerFile(dir.file("broken.txt"));
    const auto before = readFile(path);
    window.chooseMenu(ids::ToolsImportText);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[2].caption, "Text not imported");
    EXPECT_EQ(window.messages[2].text,
        "Nothing was written:\nline 4: A bracket error was detected.  Make sure all brackets are correct and try again.\n");
    EXPECT_EQ(readFile(path), before);
}

TEST_F(TranslationTools, MoveTextTakesTheEditBoxTextToTheExpandedArea)
{
    const auto path = write(standardImage(0x300200));
    open(path);
    window.chooseMenu(ids::ToolsExpandRom);
    window.clickRow(ids::ListView, 2);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsMoveText)) << "offered for every row with a record, movement 0 or not";
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsEditTptEntry));
    window.clickRow(ids::ListView, 0);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsMoveText));
    window.typeText(ids::EditBox, "Hello, and a far longer greeting than there was room for.[02]");
    ASSERT_TRUE(window.chooseMenu(ids::ToolsMoveText));
    ASSERT_EQ(window.messages.size(), 2u) << "the expansion's message, then where the text went";
    EXPECT_EQ(window.messages[1].text, "The text now stands at $F00000, and the row's pointer table record points there.");
    EXPECT_EQ(window.messages[1].caption, "Text moved");
    EXPECT_EQ(static_cast<std::uint32_t>(textCatalogue().rows[0].snesAddress), 0xF00000u);
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hello, and a far longer greeting than there was room for.");
    EXPECT_EQ(text(ids::EditBox), "Hello, and a far longer greeting than there was room for.[02]");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 58");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0xF8B92 + 13, onDisk.begin() + 0xF8B92 + 17),
        (std::vector<std::uint8_t>{0x00, 0x00, 0xF0, 0x00}));

    window.typeText(ids::EditBox, "Bad[02");
    window.chooseMenu(ids::ToolsMoveText);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[2].caption, "Text not moved");
    EXPECT_EQ(static_cast<std::uint32_t>(textCatalogue().rows[0].snesAddress), 0xF00000u);
}

TEST_F(TranslationTools, CreatePatchAsksForTheOriginalAndANameAndWritesThePatch)
{
    const auto original = write(standardImage(), "original.smc");
    const auto path = write(standardImage(), "rom.smc");
    open(path);
    window.typeText(ids::EditBox, "Howdy[02]");
    window.chooseMenu(ids::OptionsPreventOverwrites);
    window.clickButton(ids::ApplyButton);
    answerFile(original);
    window.saveAnswers.push_back({dir.file("hack").string(), "hack", 0}); // no ending: the type chosen gives it
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCreatePatch));
    ASSERT_EQ(window.fileDialogTitles.size(), 3u);
    EXPECT_EQ(window.fileDialogTitles[1], "Choose the original, unmodified ROM");
    EXPECT_EQ(window.fileDialogTitles[2], "Save Patch");
    EXPECT_EQ(window.lastFileFilters.back(), "BPS patch (*.bps)|*.bps|IPS patch (*.ips)|*.ips||");
    EXPECT_EQ(window.suggestedNames.back(), dir.file("rom.bps").string()) << "named after the ROM, beside it";
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The patch has been written to hack.bps.");
    EXPECT_EQ(window.messages[0].caption, "Patch created");
    const PatchResult applied = applyPatch(readFile(original), readFile(dir.file("hack.bps")));
    EXPECT_EQ(applied.error, "");
    EXPECT_EQ(applied.output, readFile(path));

    // An existing patch is replaced only after a question; No leaves it as it was.
    const auto before = readFile(dir.file("hack.bps"));
    answerFile(original);
    window.saveAnswers.push_back({dir.file("hack.bps").string(), "hack.bps", 0});
    window.answers.push_back(ui::Answer::No);
    window.chooseMenu(ids::ToolsCreatePatch);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text, "hack.bps already exists.  Replace it?");
    EXPECT_EQ(window.messages[1].buttons, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_EQ(readFile(dir.file("hack.bps")), before);
    answerFile(original);
    window.saveAnswers.push_back({dir.file("hack.ips").string(), "hack.ips", 1});
    window.chooseMenu(ids::ToolsCreatePatch);
    EXPECT_EQ(window.messages.back().text, "The patch has been written to hack.ips.");
    EXPECT_EQ(applyPatch(readFile(original), readFile(dir.file("hack.ips"))).output, readFile(path));
}

TEST_F(TranslationTools, CreatePatchRefusesTheOpenFileAsOriginalAndAPatchOfNothing)
{
    const auto path = write(standardImage(), "rom.smc");
    const auto same = write(standardImage(), "same.smc");
    open(path);
    answerFile(path);
    window.chooseMenu(ids::ToolsCreatePatch);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
        "The original must be the unmodified ROM, not the file open in the editor.  Choose the clean copy.");
    EXPECT_EQ(window.messages[0].caption, "Patch not created");
    answerFile(same);
    window.chooseMenu(ids::ToolsCreatePatch);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text, "The two images are the same, so there is nothing to put in a patch; nothing was written.");
    EXPECT_TRUE(window.suggestedNames.empty()) << "no save dialog was shown";
    EXPECT_FALSE(fs::exists(dir.file("rom.bps")));
}

} // namespace
