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
        {"&Dump to text file", ids::ToolsDumpText}, {"", 0}, {"Import from text file...", ids::ToolsImportText},
        {"Move text to expanded area", ids::ToolsMoveText}, {"Create patch...", ids::ToolsCreatePatch}};
    EXPECT_EQ(items, expected);
    for (int id : {ids::ToolsImportText, ids::ToolsMoveText, ids::ToolsCreatePatch})
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
    EXPECT_EQ(window.messages[1].text, "1 row written, 3 rows unchanged.");
    EXPECT_EQ(window.messages[1].caption, "Text imported");
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hullo");
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/4") << "the listing was built again";

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
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsMoveText)) << "offered where the record editor is: movement 0 here";
    window.clickRow(ids::ListView, 0);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsMoveText));
    window.typeText(ids::EditBox, "Hello, and a far longer greeting than there was room for.[02]");
    ASSERT_TRUE(window.chooseMenu(ids::ToolsMoveText));
    EXPECT_EQ(window.messages.size(), 1u) << "only the expansion's message";
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
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].caption, "Text not moved");
    EXPECT_EQ(static_cast<std::uint32_t>(textCatalogue().rows[0].snesAddress), 0xF00000u);
}

TEST_F(TranslationTools, CreatePatchWritesABpsBesideTheRom)
{
    const auto original = write(standardImage(), "original.smc");
    const auto path = write(standardImage(), "rom.smc");
    open(path);
    window.typeText(ids::EditBox, "Howdy[02]");
    window.chooseMenu(ids::OptionsPreventOverwrites);
    window.clickButton(ids::ApplyButton);
    answerFile(original);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCreatePatch));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The patch has been written to rom.bps.");
    EXPECT_EQ(window.messages[0].caption, "Patch created");
    const PatchResult applied = applyPatch(readFile(original), readFile(dir.file("rom.bps")));
    EXPECT_EQ(applied.error, "");
    EXPECT_EQ(applied.output, readFile(path));
}

} // namespace
