#include "WindowFixture.h"
#include "app/CommandLine.h"
#include "edit/Messages.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST_F(MainDialogTest, StartsWithNoFileAndItsMenuState)
{
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - No File Loaded");
    for (int id : RomCommands)
        EXPECT_FALSE(window.isMenuItemEnabled(id)) << id;
    EXPECT_TRUE(window.isMenuItemEnabled(ids::FileOpen));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::FileExit));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsPointerListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsRawListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsExpandedListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsUseCompression));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsCodesOnly));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsTextAndCodes));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsPreventOverwrites));
    EXPECT_FALSE(window.isControlEnabled(ids::ListView));
    EXPECT_FALSE(window.isControlEnabled(ids::EditBox));
    EXPECT_TRUE(window.isControlEnabled(ids::ApplyButton));
    EXPECT_EQ(window.control(ids::EditBox).editLimit, 4000);

    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_FALSE(window.isMenuItemEnabled(id));
    window.clickButton(ids::ApplyButton);
    EXPECT_TRUE(window.messages.empty()) << "Apply with no ROM says nothing";
}

TEST_F(MainDialogTest, EditCommandsFollowTheEditBoxFocus)
{
    open(write(standardImage()));
    window.focus(ids::EditBox);
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_TRUE(window.isMenuItemEnabled(id));
    window.chooseMenu(ids::EditCut);
    EXPECT_EQ(text(ids::EditBox), "");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 0 (uncompressed)");
    window.chooseMenu(ids::EditUndo);
    EXPECT_EQ(text(ids::EditBox), "Hello[02]");
    window.blur(ids::EditBox);
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_FALSE(window.isMenuItemEnabled(id));
}

TEST_F(MainDialogTest, OpenListsThePointerTableAndShowsRowZero)
{
    open(write(standardImage()));
    EXPECT_EQ(window.lastFileFilters.back(), "SNES ROM (*.smc, *.sfc, *.fig)|*.smc; *.sfc; *.fig|All Files (*.*)|*.*||");
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - File Loaded");
    EXPECT_EQ(dialog.romFileName, "rom.smc");
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.path())) << "the chosen folder becomes current";
    ASSERT_EQ(window.listRowCount(ids::ListView), 4);
    EXPECT_EQ(window.listRowText(ids::ListView, 1), "Go to Onett!");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);
    EXPECT_EQ(window.control(ids::ListView).selected, -1) << "the mark is set without a highlight";
    EXPECT_EQ(text(ids::EditBox), "Hello[02]");
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/4");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 6");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
    for (int id : {ids::ToolsViewDetails, ids::ToolsDumpText, ids::FileClose, ids::EditSearch, ids::OptionsPointerListing,
             ids::OptionsRawListing, ids::OptionsTextAndCodes, ids::OptionsCodesOnly, ids::OptionsPreventOverwrites,
             ids::OptionsUseCompression, ids::ToolsExpandRom, ids::ToolsEditTptEntry})
        EXPECT_TRUE(window.isMenuItemEnabled(id)) << id;
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
}

TEST_F(MainDialogTest, ExpandedSizeDecidesWhichCommandIsOffered)
{
    open(write(standardImage(0x4001FE), "small.smc"));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsExpandRom));
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
    open(write(standardImage(0x4001FF), "big.smc"));
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsExpandRom));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
}

TEST_F(MainDialogTest, RefusedOpensLeaveTheOpenRomAsItWas)
{
    open(write(standardImage()));
    window.clickRow(ids::ListView, 2);
    fs::create_directory(dir.file("other"));
    const auto unknown = TestImage(0x20000, "NOT EARTHBOUND!").writeTo(dir.file("other/u.smc"));
    const auto mother = TestImage(0x20000, "MOTHER-2       ").writeTo(dir.file("other/m.smc"));

    open(unknown);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "This is an unrecognized ROM.");
    EXPECT_EQ(window.messages[0].caption, "Bad ROM");
    EXPECT_EQ(window.messages[0].icon, ui::MessageIcon::None);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.file("other")));
    open(mother);
    EXPECT_EQ(window.messages[1].text, "This program does not work with the Mother 2 ROM.");
    EXPECT_EQ(window.messages[1].caption, "Mother 2 ROM Not Supported");
    window.chooseMenu(ids::FileOpen); // cancelled: no answer scripted
    EXPECT_EQ(window.messages.size(), 2u) << "a cancelled dialog says nothing";
    open(dir.file("missing.smc"));
    ASSERT_EQ(window.messages.size(), 3u) << "a file that cannot be opened says why";
    EXPECT_EQ(window.messages[2].text, "The ROM file no longer exists (it was moved or deleted), so it was not opened.");
    EXPECT_EQ(window.messages[2].caption, "ROM Not Opened");
    open(dir.file("other"));
    ASSERT_EQ(window.messages.size(), 4u) << "a folder is said to be no image";
    EXPECT_EQ(window.messages[3].text, "This is not a regular file, so it cannot be a ROM image.");
    EXPECT_EQ(window.messages[3].caption, "Bad ROM");

    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - File Loaded");
    EXPECT_EQ(dialog.romFileName, "rom.smc");
    EXPECT_EQ(window.listRowCount(ids::ListView), 4);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 2);
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/4");
    EXPECT_TRUE(dialog.romOpen());
}

TEST_F(MainDialogTest, CloseEmptiesTheWindowAndGraysEveryRomCommand)
{
    open(write(standardImage()));
    window.chooseMenu(ids::OptionsRawListing);
    window.chooseMenu(ids::FileClose);
    EXPECT_FALSE(dialog.romOpen());
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - No File Loaded");
    EXPECT_EQ(window.listRowCount(ids::ListView), 0);
    for (int id : {ids::EditBox, ids::LineLabel, ids::SizeLabel, ids::CurrentSizeLabel})
        EXPECT_EQ(text(id), "") << id;
    for (int id : RomCommands)
        EXPECT_FALSE(window.isMenuItemEnabled(id)) << id;
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsPointerListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsRawListing));
    EXPECT_EQ(dialog.listingSource, 0);
    dialog.closeRom(); // harmless to repeat
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - No File Loaded");
}

TEST_F(MainDialogTest, KeysShowTheRowTheyReachAndApplyWritesThatRow)
{
    const auto path = write(standardImage());
    open(path);
    window.pressKey(ids::ListView, 1); // Down from row 0
    EXPECT_EQ(text(ids::EditBox), "Go to Onett![03 02]");
    EXPECT_EQ(text(ids::LineLabel), "Line: 2/4");
    window.pressKey(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "AAAA[02]");
    window.typeText(ids::EditBox, "BBBB[02]");
    window.clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(onDisk[0x51D50], 0x72) << "the row shown is the row written";
    EXPECT_EQ(onDisk[0x51D40], 0x78) << "the row before it is untouched";
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "BBBB");

    window.clickRow(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "BBBB[02]") << "a click on the shown row decodes it again";
    window.typeText(ids::EditBox, "unapplied");
    window.clickRow(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "unapplied") << "but never throws typed text away";
    EXPECT_EQ(window.messages.size(), 0u) << "staying on the row asks nothing";
    window.answers.push_back(ui::Answer::No);
    window.doubleClickRow(ids::ListView, 0);
    EXPECT_EQ(window.control(ids::ListView).hot, 0);
}

TEST_F(MainDialogTest, SizeLineFollowsEveryChange)
{
    open(write(standardImage()));
    window.typeText(ids::EditBox, "Hello there[02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 12 (uncompressed)");
    window.typeText(ids::EditBox, "Hello[02");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: Unknown");
    window.typeText(ids::EditBox, "");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 0 (uncompressed)");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 6") << "the stored size does not follow typing";
}

TEST_F(MainDialogTest, DisplayModesRoundTripAndTheTptCommandFollowsTheRow)
{
    open(write(standardImage()));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsEditTptEntry));
    window.clickRow(ids::ListView, 2);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsEditTptEntry)) << "movement number 0";
    window.chooseMenu(ids::OptionsCodesOnly);
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsCodesOnly));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsTextAndCodes));
    EXPECT_EQ(text(ids::EditBox), "[78 95 02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 3 (uncompressed)");
    window.typeText(ids::EditBox, "edited");
    window.chooseMenu(ids::OptionsCodesOnly);
    EXPECT_EQ(text(ids::EditBox), "edited") << "the mode already checked changes nothing";
    EXPECT_TRUE(window.messages.empty()) << "and asks nothing";
    window.answers.push_back(ui::Answer::No); // discard the edit
    window.chooseMenu(ids::OptionsTextAndCodes);
    EXPECT_EQ(text(ids::EditBox), "He[02]");
}

using ApplyTest = OpenedRomTest;

TEST_F(ApplyTest, RefusesBracketErrorsAndLongerTextsWithPreventOverwrites)
{
    window.typeText(ids::EditBox, "Hello[02");
    window.clickButton(ids::ApplyButton);
    window.typeText(ids::EditBox, "Hello!![02]");
    window.clickButton(ids::ApplyButton);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].text, "A bracket error was detected.  Make sure all brackets are correct and try again.");
    EXPECT_EQ(window.messages[1].text,
        "The new text is larger than the old text.\nShorten the text, or uncheck the Prevent Overwrite box.");
    for (const auto& m : window.messages) {
        EXPECT_EQ(m.caption, "Pre-Write Error");
        EXPECT_EQ(m.icon, ui::MessageIcon::Exclamation);
    }
    EXPECT_EQ(text(ids::EditBox), "Hello!![02]") << "the edit box keeps its text";
    dialog.romFile.seek(0);
    EXPECT_EQ(readFile(path), before);
}

TEST_F(ApplyTest, RefusesMalformedGroupsAndLettersWithNoByteSayingWhere)
{
    // Each of these once wrote bytes nobody typed.
    for (const char* typed : {"[1C02 01]", "[hello]", "[zz]", "[1x9]", "[123]", "He\u2019[02]"}) {
        window.messages.clear();
        window.typeText(ids::EditBox, typed);
        window.clickButton(ids::ApplyButton);
        ASSERT_EQ(window.messages.size(), 1u) << typed;
        EXPECT_EQ(window.messages[0].caption, "Pre-Write Error");
        EXPECT_NE(window.messages[0].text.find(" at character "), std::string::npos) << window.messages[0].text;
        EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: Unknown") << typed;
    }
    EXPECT_EQ(window.messages[0].text, "\"\u2019\" at character 3 has no byte in the game's text, so nothing was written.");
    window.messages.clear();
    window.typeText(ids::EditBox, "Hi [1C02 01]");
    window.clickButton(ids::ApplyButton);
    EXPECT_EQ(window.messages[0].text, "The group \"[1C02 01]\" at character 4 is not two-digit hex bytes separated by spaces, "
                                       "such as [1C 02 01], so nothing was written.");
    EXPECT_EQ(readFile(path), before);
    // A letter below U+0100 is written by the offset, as the edit box's line says.
    window.messages.clear();
    window.typeText(ids::EditBox, "H\u00E9[02]");
    window.clickButton(ids::ApplyButton);
    EXPECT_TRUE(window.messages.empty());
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D12, onDisk.begin() + 0x51D15), (std::vector<std::uint8_t>{0x78, 0x19, 0x02}));
}

TEST_F(ApplyTest, WritesAtTheExactSizeAndLeavesOldBytesAfterAShorterText)
{
    window.typeText(ids::EditBox, "Jelly[02]");
    window.clickButton(ids::ApplyButton);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Jelly");
    window.typeText(ids::EditBox, "Hi[02]");
    window.clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D12, onDisk.begin() + 0x51D18),
        bytes({gameText("Hi"), {0x02}, gameText("ly"), {0x02}}));
    EXPECT_EQ(text(ids::SizeLabel), "Size: 3");
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 0);
}

TEST_F(ApplyTest, DictionaryStringsOutgrowTheBlockUnlessWrittenFromCodesOnly)
{
    window.clickRow(ids::ListView, 1);
    window.clickButton(ids::ApplyButton);
    ASSERT_EQ(window.messages.size(), 1u) << "Onett is 5 characters for a 2-byte reference";
    EXPECT_EQ(window.messages[0].text, "The new text is larger than the old text.\nShorten the text, or uncheck the Prevent Overwrite box.\n"
                                       "With Options > Compress when writing it would take 11 bytes and fit.")
        << "the refusal says when compression makes the text fit";
    window.chooseMenu(ids::OptionsCodesOnly);
    window.clickButton(ids::ApplyButton);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(readFile(path), before) << "identical bytes";
    window.chooseMenu(ids::OptionsPreventOverwrites);
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsPreventOverwrites));
    window.chooseMenu(ids::OptionsTextAndCodes);
    window.clickButton(ids::ApplyButton);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(text(ids::EditBox), "Go to Onett![03 02]");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 14");
}

TEST_F(ApplyTest, ABlockOutsideTheFileIsNeverReportedAsWritten)
{
    auto& catalogue = textCatalogue();
    catalogue.rows[0].snesAddress = 0x100; // maps before the start of the file
    window.clickRow(ids::ListView, 0);
    window.typeText(ids::EditBox, "X");
    window.clickButton(ids::ApplyButton);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].caption, "Pre-Write Error");
    EXPECT_EQ(window.messages[0].text, scrivlet::messages::WriteOutsideFile);
    EXPECT_EQ(readFile(path), before);
}

TEST_F(MainDialogTest, EmptyListingShowsNothingAndApplyWritesNothing)
{
    const auto path = write(TestImage(0x100000));
    open(path);
    EXPECT_EQ(window.listRowCount(ids::ListView), 0);
    EXPECT_EQ(text(ids::EditBox), "");
    EXPECT_EQ(text(ids::LineLabel), "");
    window.typeText(ids::EditBox, "Hello[02]");
    window.clickButton(ids::ApplyButton);
    dialog.romFile.seek(0);
    EXPECT_EQ(readFile(path), TestImage(0x100000).data());
}

TEST_F(MainDialogTest, ExpansionGrowsTheFileAndOffersTheExpandedListing)
{
    const auto path = write(standardImage(0x300200));
    open(path);
    window.typeText(ids::EditBox, "Jelly[02]");
    window.clickButton(ids::ApplyButton);
    ASSERT_TRUE(window.chooseMenu(ids::ToolsExpandRom));
    EXPECT_EQ(fs::file_size(path), 0x400200u);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "ROM expanded to 0x4001FF bytes.\nHave a nice day!");
    EXPECT_EQ(window.messages[0].caption, "ROM Expanded");
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsExpandRom));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
    EXPECT_EQ(window.listRowCount(ids::ListView), 4) << "the listing is not rebuilt";
    EXPECT_EQ(readFile(path)[0x51D12], 0x7A) << "the edit made before is in the file";

    window.chooseMenu(ids::OptionsExpandedListing);
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsExpandedListing));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsPointerListing));
    EXPECT_EQ(window.listRowCount(ids::ListView), 4095);
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/4095");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 256");
}

TEST_F(MainDialogTest, ExpansionKeepsTypedTextAndANewListingShowsItsFirstRow)
{
    open(write(standardImage(0x300200)));
    window.typeText(ids::EditBox, "Jelly[02]");
    ASSERT_TRUE(window.chooseMenu(ids::ToolsExpandRom));
    EXPECT_EQ(text(ids::EditBox), "Jelly[02]") << "nothing is listed again, so nothing typed is lost";
    EXPECT_EQ(window.messages.size(), 1u) << "and nothing asks";
    window.answers.push_back(ui::Answer::No);
    window.chooseMenu(ids::OptionsExpandedListing);

    window.listEnsureVisible(ids::ListView, 4000); // the user scrolls far down
    ASSERT_TRUE(window.listRowScreenRect(ids::ListView, 0).empty());
    window.chooseMenu(ids::OptionsPointerListing);
    EXPECT_FALSE(window.listRowScreenRect(ids::ListView, 0).empty()) << "the shown row is in view";
}

#ifndef _WIN32 // wine keeps a deleted open file under its name until it is closed
TEST_F(MainDialogTest, ExpansionOfADeletedFileWritesNothingAndSaysSo)
{
    const auto path = write(standardImage(0x300200));
    open(path);
    fs::remove(path);
    window.chooseMenu(ids::ToolsExpandRom);
    EXPECT_FALSE(fs::exists(path)) << "a deleted image is not recreated as filler";
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].caption, "Expansion Error");
    EXPECT_EQ(window.messages[0].text, scrivlet::messages::WriteNotTheOpenFile);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::ToolsExpandRom));
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsExpandedListing));
}
#endif

TEST_F(MainDialogTest, DumpWritesTheSourcesFileInTheChosenFolder)
{
    open(write(standardImage()));
    window.typeText(ids::EditBox, "unapplied[02]");
    window.chooseMenu(ids::ToolsDumpText);
    window.typeText(ids::EditBox, "Hello[02]"); // as shown: nothing is unapplied
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Text has been dumped to ptrlist.txt!\nHave a nice day!");
    EXPECT_EQ(window.messages[0].caption, "Text dumped");
    EXPECT_EQ(readTextFile(dir.file("ptrlist.txt")), "Hello[02]\nGo to Onett![03 02]\nHe[02]\nAAAA[02]\n");

    window.chooseMenu(ids::OptionsRawListing);
    fs::create_directory(dir.file("rawlist.txt"));
    window.chooseMenu(ids::ToolsDumpText);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].caption, "Text not dumped");
    EXPECT_NE(window.messages[1].text.find("rawlist.txt could not be written"), std::string::npos);
}

TEST_F(MainDialogTest, ExitClosesTheRomAndEnterDoesNotEndTheWindow)
{
    const auto path = write(standardImage());
    open(path);
    window.typeText(ids::EditBox, "Jelly[02]");
    dialog.onCommand(1); // Enter: the default button id
    EXPECT_FALSE(window.ended());
    window.answers.push_back(ui::Answer::No); // the typed text is discarded, not written
    window.chooseMenu(ids::FileExit);
    EXPECT_TRUE(window.ended());
    EXPECT_FALSE(dialog.romOpen());
    EXPECT_EQ(readFile(path)[0x51D12], 0x78) << "unapplied text is not written by Exit";
}

} // namespace

namespace {

TEST_F(MainDialogTest, TheListHasTheKeyboardAfterEveryListingAndShortcutsFollowTheMenu)
{
    const auto path = write(standardImage());
    window.pressShortcut("Ctrl+W"); // gray with no file: nothing happens
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - No File Loaded");
    window.fileAnswers.push_back({path.string(), "rom.smc"});
    ASSERT_TRUE(window.pressShortcut("Ctrl+O"));
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - File Loaded");
    EXPECT_EQ(window.focusedControl(), ids::ListView);
    window.focus(ids::EditBox);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::EditCut));
    window.chooseMenu(ids::OptionsRawListing);
    EXPECT_EQ(window.focusedControl(), ids::ListView) << "a new listing gives the list the keyboard";
    EXPECT_FALSE(window.isMenuItemEnabled(ids::EditCut)) << "and the edit box heard it lost the focus";

    window.chooseMenu(ids::OptionsPointerListing);
    window.typeText(ids::EditBox, "Howdy[02]");
    window.chooseMenu(ids::OptionsPreventOverwrites);
    ASSERT_TRUE(window.pressShortcut("Ctrl+Return"));
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Howdy") << "Ctrl+Enter is Apply Changes";
    ASSERT_TRUE(window.pressShortcut("Ctrl+F"));
    EXPECT_EQ(platform.modalTemplatesRun.back(), ids::SearchDialogTemplate);
    ASSERT_TRUE(window.pressShortcut("Ctrl+W"));
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - No File Loaded");
    window.pressShortcut("Ctrl+F");
    EXPECT_EQ(platform.modalTemplatesRun.size(), 1u) << "a gray command's key does nothing";
    EXPECT_FALSE(window.pressShortcut("Ctrl+Q"));
}

} // namespace

namespace {

TEST_F(MainDialogTest, F1OpensHelpAndF3FindsTheNextMatchOfTheLastSearch)
{
    open(write(standardImage()));
    ASSERT_TRUE(window.pressShortcut("F1"));
    EXPECT_EQ(window.helpRequests, 1);
    ASSERT_TRUE(window.pressShortcut("F3")) << "with no search yet, F3 opens the search window";
    EXPECT_EQ(platform.modalTemplatesRun, std::vector<int>{ids::SearchDialogTemplate});

    platform.drivers.push_back([](ui::HeadlessWindow& search) {
        search.typeText(ids::SearchTextEdit, "o");
        search.clickButton(ids::SearchFindButton);
    });
    window.chooseMenu(ids::EditSearch);
    EXPECT_EQ(text(ids::LineLabel), "Line: 2/4") << "Go to Onett! holds an o";
    window.pressShortcut("F3");
    EXPECT_EQ(platform.modalTemplatesRun.size(), 2u) << "F3 finds again without the window";
    EXPECT_EQ(text(ids::LineLabel), "Line: 2/4") << "no o further down";
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "String not found.");
    window.clickRow(ids::ListView, 0);
    window.pressShortcut("F3");
    EXPECT_EQ(text(ids::LineLabel), "Line: 2/4");
}

#ifndef _WIN32
TEST_F(MainDialogTest, AFileThatCannotBeWrittenOpensForReadingAndEveryWriteSaysSoAtOnce)
{
    const auto path = write(standardImage());
    const auto locked = write(standardImage(), "locked.smc");
    open(path);
    {
        const Unwritable hold(locked);
        const auto before = readFile(locked);
        open(locked); // once refused
        EXPECT_TRUE(window.messages.empty());
        EXPECT_EQ(dialog.romFileName, "locked.smc");
        EXPECT_EQ(text(ids::CaretNote),
            "This ROM file is read-only: it can be listed, shown, searched and dumped, but nothing can be written to it.");
        EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hello");
        window.typeText(ids::EditBox, "Howdy[02]");
        window.clickButton(ids::ApplyButton);
        for (int command : {ids::ToolsEditTptEntry, ids::ToolsExpandRom, ids::ToolsImportText})
            window.chooseMenu(command);
        ASSERT_EQ(window.messages.size(), 4u) << "Apply, the record editor, Expand and Import each say it";
        for (const auto& m : window.messages) {
            EXPECT_EQ(m.text, "The ROM file is read-only, so nothing was written.  Open a copy that may be written.");
            EXPECT_EQ(m.caption, "Read-Only ROM");
        }
        EXPECT_TRUE(platform.modalTemplatesRun.empty()) << "said before the record editor opens";
        EXPECT_EQ(readFile(locked), before);
        window.answers.push_back(ui::Answer::No); // the typed text is not kept
        open(path);
        window.messages.clear();
    }
    // Another program holds the file's lock while it edits it.
    const std::string holder = "flock --exclusive '" + locked.string() + "' sleep 3 &";
    ASSERT_EQ(std::system(holder.c_str()), 0);
    for (int i = 0; i < 100 && std::system(("flock --nonblock '" + locked.string() + "' true").c_str()) == 0; ++i)
        std::system("sleep 0.02");
    open(locked);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The ROM file is in use by another program, so it was not opened.  Close it there and try again.");
    EXPECT_EQ(dialog.romFileName, "rom.smc") << "the ROM open stays open";
    EXPECT_EQ(window.caption(), "Scrivlet 3.0 - File Loaded");
}
#endif

} // namespace

namespace {

TEST_F(MainDialogTest, TheLineUnderTheSizeLineSaysWhatATypedCharacterBecomes)
{
    open(write(standardImage()));
    EXPECT_EQ(text(ids::CaretNote), "");
    window.typeText(ids::EditBox, "Caf\u00E9");
    EXPECT_EQ(text(ids::CaretNote), "\u00E9 is written as byte 19, a control code");
    window.moveCaret(ids::EditBox, 2);
    EXPECT_EQ(text(ids::CaretNote), "") << "the caret after a letter the game shows";
    window.typeText(ids::EditBox, "Hi\r\nthere");
    window.moveCaret(ids::EditBox, 4);
    EXPECT_EQ(text(ids::CaretNote), "A line break is written as bytes 3D 3A, two control codes");
    window.answers.push_back(ui::Answer::No);
    window.chooseMenu(ids::FileClose);
    EXPECT_EQ(text(ids::CaretNote), "");
}

} // namespace

namespace {

using scrivlet::testing::MainDialogTest;

TEST_F(MainDialogTest, AFileNamedOnTheCommandLineIsOpenedAsOpenWouldOpenIt)
{
    const auto path = write(standardImage());
    const auto other = write(standardImage(), "other.smc");
    EXPECT_EQ(filesFromCommandLine({"scrivlet", "-style=fusion", path.string(), other.string()}, false),
        (std::vector<std::string>{path.string(), other.string()}));
    EXPECT_EQ(filesFromCommandLine({"scrivlet.exe", "/Embedding", "C:\\roms\\game.smc"}, true),
        std::vector<std::string>{"C:\\roms\\game.smc"});
    {
        ui::HeadlessPlatform started;
        MainDialog editor{started};
        editor.startupFiles = {path.string()};
        const auto shown = started.openMain(ids::MainDialogTemplate, editor);
        EXPECT_EQ(shown->caption(), "Scrivlet 3.0 - File Loaded");
        EXPECT_EQ(editor.romFileName, "rom.smc");
        EXPECT_EQ(shown->listRowText(ids::ListView, 0), "Hello");
        EXPECT_TRUE(shown->messages.empty());
    }
    {
        ui::HeadlessPlatform started;
        MainDialog editor{started};
        editor.startupFiles = {path.string(), other.string()};
        const auto shown = started.openMain(ids::MainDialogTemplate, editor);
        EXPECT_EQ(editor.romFileName, "rom.smc") << "the first";
        EXPECT_EQ(shown->controlText(ids::CaretNote), "Only the first file named was opened; the others were left alone.");
    }
    {
        ui::HeadlessPlatform started;
        MainDialog editor{started};
        editor.startupFiles = {dir.file("missing.smc").string()};
        const auto shown = started.openMain(ids::MainDialogTemplate, editor);
        ASSERT_EQ(shown->messages.size(), 1u) << "said as Open says it";
        EXPECT_EQ(shown->messages[0].text, "The ROM file no longer exists (it was moved or deleted), so it was not opened.");
        EXPECT_EQ(shown->caption(), "Scrivlet 3.0 - No File Loaded") << "the window in its no-file state";
    }
}

} // namespace

namespace {

using scrivlet::testing::MainDialogTest;

TEST_F(MainDialogTest, TheFourROMsOpenedLastAreOfferedNewestFirstAndRememberedBetweenRuns)
{
    EXPECT_FALSE(window.isMenuItemEnabled(ids::FileRecent1)) << "gray with nothing remembered";
    std::vector<fs::path> roms;
    for (const char* name : {"a.smc", "b.smc", "c.smc", "d.smc", "e.smc"}) {
        roms.push_back(write(standardImage(), name));
        open(roms.back());
    }
    ASSERT_EQ(dialog.recentFiles().size(), 4u);
    EXPECT_EQ(dialog.recentFiles().front(), roms[4].string()) << "the newest first";
    EXPECT_EQ(dialog.recentFiles().back(), roms[1].string()) << "the oldest of five is gone";
    EXPECT_EQ(window.menuItemText(ids::FileRecent1), "&1 " + roms[4].string());
    EXPECT_EQ(window.menuItemText(ids::FileRecent1 + 3), "&4 " + roms[1].string());
    EXPECT_TRUE(window.isMenuItemEnabled(ids::FileRecent1 + 3));
    open(roms[2]);
    EXPECT_EQ(dialog.recentFiles().front(), roms[2].string()) << "opened again: to the top, not twice";
    EXPECT_EQ(dialog.recentFiles().size(), 4u);
    EXPECT_EQ(window.fileDialogFolders.back(), dir.path().string()) << "Open starts in the folder of the last ROM";

    // Chosen from the menu, as File > Open would open it.
    window.chooseMenu(ids::FileRecent1 + 1);
    EXPECT_EQ(dialog.romFileName, "e.smc");
    // One that is gone is taken off with a sentence.
    fs::remove(roms[3]);
    const std::size_t before = window.messages.size();
    window.chooseMenu(ids::FileRecent1 + 2);
    ASSERT_EQ(window.messages.size(), before + 1);
    EXPECT_EQ(window.messages.back().text, roms[3].string() + " no longer exists, so it was taken off the list of recent files.");
    EXPECT_EQ(dialog.recentFiles().size(), 3u);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::FileRecent1 + 3));

    // The next run finds them in the store.
    MainDialog next{platform};
    const auto again = platform.openMain(ids::MainDialogTemplate, next);
    EXPECT_EQ(next.recentFiles(), dialog.recentFiles());
    EXPECT_EQ(again->menuItemText(ids::FileRecent1), "&1 " + dialog.recentFiles().front());
}

TEST_F(MainDialogTest, AStoreThatCannotBeReadOrWrittenIsANoteNeverAFailure)
{
    ui::HeadlessPlatform unreadable;
    unreadable.store.readProblem = "The settings file x.ini could not be read; it is left as it is.";
    MainDialog editor{unreadable};
    editor.startupFiles = {write(standardImage()).string()};
    unreadable.store.failSaves = true;
    const auto shown = unreadable.openMain(ids::MainDialogTemplate, editor);
    EXPECT_EQ(shown->caption(), "Scrivlet 3.0 - File Loaded") << "the program starts and opens all the same";
    EXPECT_TRUE(shown->messages.empty());
    EXPECT_EQ(shown->controlText(ids::CaretNote), "The settings could not be written.") << "said on the line, once";
}

} // namespace

namespace {

using scrivlet::testing::MainDialogTest;

TEST_F(MainDialogTest, TheWindowComesBackWhereItWasOnAScreenThatShowsIt)
{
    window.place({{100, 80, 900, 700}, true});
    window.chooseMenu(ids::FileExit);
    EXPECT_EQ(platform.store.value("window/right"), std::optional<std::string>("900"));
    {
        MainDialog next{platform};
        const auto again = platform.openMain(ids::MainDialogTemplate, next);
        const ui::WindowPlacement back = again->placement();
        EXPECT_EQ(back.normal.left, 100);
        EXPECT_EQ(back.normal.bottom, 700);
        EXPECT_TRUE(back.maximized);
    }
    // A place no screen shows any more (a second monitor taken away): the platform's own placement.
    platform.store.setValue("window/left", "5000");
    platform.store.setValue("window/right", "5800");
    MainDialog away{platform};
    const auto fresh = platform.openMain(ids::MainDialogTemplate, away);
    EXPECT_EQ(fresh->placement().normal.left, 300) << "where a new window stands";
    platform.store.setValue("window/top", "not a number");
    MainDialog edited{platform};
    EXPECT_EQ(platform.openMain(ids::MainDialogTemplate, edited)->placement().normal.left, 300) << "a store edited by hand is ignored";
}

} // namespace

namespace {

using scrivlet::testing::MainDialogTest;

TEST_F(MainDialogTest, ARomDroppedOnTheWindowOpensAsOpenDoesAskingFirstAboutTypedText)
{
    const auto first = write(standardImage());
    const auto second = write(standardImage(), "second.smc");
    window.dropFiles({first.string()});
    EXPECT_EQ(dialog.romFileName, "rom.smc");
    window.typeText(ids::EditBox, "typed[02]");
    window.answers.push_back(ui::Answer::Cancel);
    window.dropFiles({second.string()});
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].caption, "Unapplied Edits");
    EXPECT_EQ(dialog.romFileName, "rom.smc") << "Cancel keeps the text and the ROM";
    EXPECT_EQ(text(ids::EditBox), "typed[02]");
    window.answers.push_back(ui::Answer::No);
    window.dropFiles({second.string(), first.string()});
    EXPECT_EQ(dialog.romFileName, "second.smc");
    EXPECT_EQ(text(ids::CaretNote), "Only the first file named was opened; the others were left alone.");
    window.dropFiles({dir.file("none.smc").string()});
    EXPECT_EQ(window.messages.back().text, "The ROM file no longer exists (it was moved or deleted), so it was not opened.");
    EXPECT_EQ(dialog.romFileName, "second.smc");
}

} // namespace
