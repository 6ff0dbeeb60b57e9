// The facts every backend of the platform layer keeps, one suite for all of
// them: menus, the edit box, the list view, message boxes, modal dialogs with
// data exchange, tabs and run-time controls. Each backend's test program
// instantiates it with its own driver (see ContractBackend.h).
#include "text/Utf8.h"
#include "ContractSuite.h"

#include "catalogue/TextCatalogue.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "rom/RomFile.h"
#include "support/TestImage.h"
#include "tools/DetailsDialog.h"
#include "tools/TptEntryDialog.h"

#include <filesystem>
#include <fstream>
#include <map>

using namespace scrivlet;
using namespace scrivlet::contract;
using ui::Notification;

namespace scrivlet::contract {

void PrintTo(const Backend& backend, std::ostream* out) { *out << backend.name; }

void ContractTest::SetUp()
{
    driver = GetParam().make();
    window = &driver->openMain(main);
}

void ContractTest::fillList(const std::vector<std::string>& rows)
{
    window->listDeleteAll(ids::ListView);
    for (std::size_t i = 0; i < rows.size(); ++i)
        window->listInsertRow(ids::ListView, static_cast<int>(i), rows[i]);
    window->enableControl(ids::ListView, true);
    window->enableControl(ids::EditBox, true);
}

} // namespace scrivlet::contract

namespace {

std::vector<std::string> sixRows() { return {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot"}; }

TEST_P(ContractTest, AGrayCommandSendsNothingAndChecksFollowTheProgram)
{
    window->enableMenuItem(ids::EditSearch, false);
    driver->chooseMenu(ids::EditSearch);
    EXPECT_TRUE(main.commands.empty()) << "a gray command sends nothing";
    window->enableMenuItem(ids::EditSearch, true);
    driver->chooseMenu(ids::EditSearch);
    EXPECT_EQ(main.commands, std::vector<int>{ids::EditSearch});
    EXPECT_TRUE(window->isMenuItemEnabled(ids::EditSearch));

    driver->chooseMenu(ids::OptionsRawListing);
    EXPECT_FALSE(window->isMenuItemChecked(ids::OptionsRawListing)) << "choosing an item does not check it by itself";
    window->checkMenuItem(ids::OptionsRawListing, true);
    EXPECT_TRUE(window->isMenuItemChecked(ids::OptionsRawListing));
    window->checkMenuItem(ids::OptionsPointerListing, false);
    EXPECT_FALSE(window->isMenuItemChecked(ids::OptionsPointerListing));

    // Judged by what is drawn: a check mark where the program sets one, nothing
    // in the check column of an item that never carries one.
    for (int id : {ids::OptionsExpandedListing, ids::OptionsCodesOnly, ids::OptionsPreventOverwrites}) {
        window->checkMenuItem(id, false);
        const MenuItemLook unchecked = driver->menuItemLook(id);
        window->checkMenuItem(id, true);
        EXPECT_GT(driver->menuItemLook(id).checkInk, unchecked.checkInk) << id;
    }
    for (int id : {ids::FileOpen, ids::OptionsUseCompression, ids::HelpAbout})
        EXPECT_EQ(driver->menuItemLook(id).checkInk, 0) << id << " never carries a check mark";
}

TEST_P(ContractTest, OnlyRealFocusChangesAreReported)
{
    fillList(sixRows());
    driver->clickInto(ids::EditBox);
    EXPECT_EQ(main.count(ids::EditBox, Notification::GotFocus), 1);
    driver->openAndCloseMenu(ids::EditCut);
    driver->chooseMenu(ids::EditCut);
    EXPECT_EQ(main.count(ids::EditBox, Notification::LostFocus), 0) << "a menu takes the keyboard only while it is open";
    EXPECT_EQ(main.count(ids::EditBox, Notification::GotFocus), 1);
    EXPECT_EQ(main.commands, std::vector<int>{ids::EditCut});
    driver->clickRow(ids::ListView, 1);
    EXPECT_EQ(main.count(ids::EditBox, Notification::LostFocus), 1) << "the list took the focus";
}

TEST_P(ContractTest, EveryCharacterComesBackFromTheEditBox)
{
    // Text is UTF-8: every character below U+0100, and letters of other scripts.
    std::string all;
    for (int c = 0; c < 256; ++c)
        appendUtf8(all, static_cast<char32_t>(c));
    all += "\u011E\u011F \u0416\u0436 \u1EBF\u1EEF \U0001F600";
    // Lone CR and LF, a pair, a CR before a pair, and both at the ends.
    for (const std::string& text : {all, std::string("\nA\rB\r\nC\r\r\nD\n\rE\r"), std::string("\r\n"), std::string("\n")}) {
        window->setControlText(ids::EditBox, text);
        EXPECT_EQ(window->controlText(ids::EditBox), text);
    }
    window->listInsertRow(ids::ListView, 0, all);
    EXPECT_EQ(window->listRowText(ids::ListView, 0), all) << "list rows keep every character too";
    EXPECT_TRUE(main.reports.empty()) << "text put in by the program raises no notification";
}

TEST_P(ContractTest, LettersOfOtherScriptsAreTypedShownAndReadBackByEveryKindOfControl)
{
    const std::string letters = "\u011E\u011F \u0416\u0436 \u1EBF\u1EEF"; // Ğğ Жж ếữ
    // Typed into the edit box with the keyboard.
    window->setControlText(ids::EditBox, "");
    driver->clickInto(ids::EditBox);
    driver->typeKeys(ids::EditBox, letters);
    EXPECT_EQ(window->controlText(ids::EditBox), letters);
    // A list row.
    window->listInsertRow(ids::ListView, 0, letters);
    EXPECT_EQ(window->listRowText(ids::ListView, 0), letters);
    // A one-line edit: typed, then put in by the program; a window's caption.
    RecordingDialog search(0, true);
    std::string typed, put, caption;
    driver->runModal(ids::SearchDialogTemplate, search, [&] {
        driver->clickInto(ids::SearchTextEdit);
        driver->typeKeys(ids::SearchTextEdit, letters);
        typed = search.window().controlText(ids::SearchTextEdit);
        search.window().setControlText(ids::SearchTextEdit, letters + "!");
        put = search.window().controlText(ids::SearchTextEdit);
        search.window().setCaption(letters);
        caption = search.window().caption();
        driver->pressEscape();
    });
    EXPECT_EQ(typed, letters);
    EXPECT_EQ(put, letters + "!");
    EXPECT_EQ(caption, letters);
    // A message box's text and caption, as shown.
    const ui::MessageRecord box = driver->answerMessageBox([&] { window->messageBox(letters, letters, ui::MessageIcon::None); });
    EXPECT_EQ(box.text, letters);
    EXPECT_EQ(box.caption, letters);
}

TEST_P(ContractTest, TypedEnterGivesCRLFAndTypingStopsAtTheLimit)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "");
    driver->clickInto(ids::EditBox);
    driver->typeKeys(ids::EditBox, "a\rb");
    EXPECT_EQ(window->controlText(ids::EditBox), "a\r\nb");
    EXPECT_GT(main.count(ids::EditBox, Notification::TextChanged), 0);

    window->setEditLimit(ids::EditBox, 10);
    window->setControlText(ids::EditBox, "12345");
    driver->typeKeys(ids::EditBox, "abcdefghijk");
    EXPECT_EQ(window->controlText(ids::EditBox), "12345abcde") << "the first ten characters, nothing earlier lost";
    window->setControlText(ids::EditBox, "123456789");
    driver->typeKeys(ids::EditBox, "\r");
    EXPECT_EQ(window->controlText(ids::EditBox), "123456789") << "a line break takes two characters";
    const std::string longer = "program text longer than ten";
    window->setControlText(ids::EditBox, longer);
    EXPECT_EQ(window->controlText(ids::EditBox), longer) << "text the program puts in is never cut";
    driver->typeKeys(ids::EditBox, "x");
    EXPECT_EQ(window->controlText(ids::EditBox), longer);
}

TEST_P(ContractTest, ClipboardRequestsComeFromTheMenuAndTheKeysAndAreDoneByTheEditBox)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "hello");
    driver->clickInto(ids::EditBox);
    driver->selectAllIn(ids::EditBox);
    driver->chooseMenu(ids::EditCopy);
    EXPECT_EQ(window->controlText(ids::EditBox), "hello");
    driver->chooseMenu(ids::EditCut);
    EXPECT_EQ(window->controlText(ids::EditBox), "");
    const int changes = main.count(ids::EditBox, Notification::TextChanged);
    EXPECT_GT(changes, 0);
    driver->chooseMenu(ids::EditPaste);
    EXPECT_EQ(window->controlText(ids::EditBox), "hello");
    driver->chooseMenu(ids::EditUndo);
    EXPECT_EQ(window->controlText(ids::EditBox), "");
    EXPECT_GT(main.count(ids::EditBox, Notification::TextChanged), changes);

    // The same with the keys, in the edit box.
    window->setControlText(ids::EditBox, "abc");
    driver->selectAllIn(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+X");
    EXPECT_EQ(window->controlText(ids::EditBox), "");
    driver->pressKeys(ids::EditBox, "Ctrl+V");
    driver->pressKeys(ids::EditBox, "Ctrl+V");
    EXPECT_EQ(window->controlText(ids::EditBox), "abcabc");
    driver->pressKeys(ids::EditBox, "Ctrl+Z");
    EXPECT_EQ(window->controlText(ids::EditBox), "abc");
}

TEST_P(ContractTest, APasteKeepsOnlyWhatFitsTheLimit)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "abcdefgh");
    driver->clickInto(ids::EditBox);
    driver->selectAllIn(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+C");
    window->setEditLimit(ids::EditBox, 10);
    window->setControlText(ids::EditBox, "12345");
    driver->typeKeys(ids::EditBox, ""); // the caret to the end
    driver->pressKeys(ids::EditBox, "Ctrl+V");
    EXPECT_EQ(window->controlText(ids::EditBox), "12345abcde") << "the first characters that fit, nothing earlier lost";
    driver->pressKeys(ids::EditBox, "Ctrl+V");
    EXPECT_EQ(window->controlText(ids::EditBox), "12345abcde") << "a full box takes nothing more";
}

TEST_P(ContractTest, TheMarkIsApartFromTheHighlight)
{
    fillList(sixRows());
    window->setListSelectionMark(ids::ListView, 2);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 2);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), -1) << "setting the mark highlights nothing";
    window->listSelectRow(ids::ListView, 4);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), 4);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 2);
    window->listEnsureVisible(ids::ListView, 5);
    EXPECT_TRUE(main.reports.empty()) << "nothing the program does to the list is reported";
}

TEST_P(ContractTest, ARowIsBroughtIntoViewAlsoRightAfterTheRowsWereReplaced)
{
    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i)
        many.push_back("row " + std::to_string(i));
    fillList(many);
    window->listEnsureVisible(ids::ListView, 290);
    EXPECT_FALSE(window->listRowScreenRect(ids::ListView, 290).empty());
    EXPECT_TRUE(window->listRowScreenRect(ids::ListView, 0).empty()) << "a list of 300 rows does not show them all";
    many[0] = "new row 0";
    fillList(many);
    window->setListSelectionMark(ids::ListView, 0);
    window->listEnsureVisible(ids::ListView, 0);
    const ui::PixelRect first = window->listRowScreenRect(ids::ListView, 0);
    EXPECT_FALSE(first.empty()) << "the first row of the new rows is in view";
    EXPECT_TRUE(window->listRowScreenRect(ids::ListView, 290).empty());
    EXPECT_TRUE(main.reports.empty()) << "scrolling by the program is not reported";
}

TEST_P(ContractTest, TheKeysMoveOnFromTheMarkTheProgramSet)
{
    fillList(sixRows());
    driver->clickRow(ids::ListView, 1);
    // What Apply Changes does to the row it rewrote: replaced, then marked again.
    window->listDeleteRow(ids::ListView, 4);
    window->listInsertRow(ids::ListView, 4, "echo rewritten");
    window->setListSelectionMark(ids::ListView, 4);
    driver->pressDownKey(ids::ListView);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 5);
    EXPECT_EQ(main.reports.back().markAtReport, 5) << "Down goes on from the marked row";
}

TEST_P(ContractTest, ReplacingARowMovesNeitherMarkNorHighlightToAnother)
{
    fillList(sixRows());
    driver->clickRow(ids::ListView, 2);
    ASSERT_EQ(driver->highlightedRow(ids::ListView), 2);
    // What Apply Changes does to the row it rewrote.
    window->listDeleteRow(ids::ListView, 2);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), -1) << "no other row becomes highlighted";
    window->listInsertRow(ids::ListView, 2, "charlie rewritten");
    window->setListSelectionMark(ids::ListView, 2);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 2);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), -1);
    EXPECT_EQ(window->listRowText(ids::ListView, 2), "charlie rewritten");
    EXPECT_EQ(window->listRowCount(ids::ListView), 6);

    driver->clickRow(ids::ListView, 4);
    window->listDeleteRow(ids::ListView, 1);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), 3) << "the highlight stays on its row";
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 3) << "so does the mark";
    window->listInsertRow(ids::ListView, 0, "new first");
    EXPECT_EQ(driver->highlightedRow(ids::ListView), 4);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 4);
}

TEST_P(ContractTest, EveryChangeOfTheMarkByTheUserIsReportedAfterItMoved)
{
    fillList(sixRows());
    const auto last = [&] { return main.reports.back(); };
    driver->clickRow(ids::ListView, 1);
    ASSERT_FALSE(main.reports.empty());
    EXPECT_EQ(last().what, Notification::Click);
    EXPECT_EQ(last().markAtReport, 1);

    driver->dragRows(ids::ListView, 0, 3);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 3);
    EXPECT_EQ(last().markAtReport, 3) << "a drag ends with the row reached reported";

    driver->pressDownKey(ids::ListView);
    EXPECT_EQ(last().what, Notification::KeyDown);
    EXPECT_EQ(last().markAtReport, 4);

    driver->typeAhead(ids::ListView, 'b');
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 1);
    EXPECT_EQ(last().markAtReport, 1) << "type-ahead is a key like any other";

    const std::size_t before = main.reports.size();
    driver->doubleClickRow(ids::ListView, 5);
    std::vector<Notification> seen;
    for (std::size_t i = before; i < main.reports.size(); ++i)
        if (main.reports[i].control == ids::ListView)
            seen.push_back(main.reports[i].what);
    EXPECT_EQ(seen, (std::vector<Notification>{Notification::Click, Notification::DoubleClick}))
        << "a double click is one click, then the double click";
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 5);
}

TEST_P(ContractTest, AMessageBoxIsOwnedByItsWindowWithItsIconAndOneOkButton)
{
    window->setCaption("The Owner");
    const ui::MessageRecord box = driver->answerMessageBox([&] {
        window->messageBox("Line one.\nLine two!", "A Caption", ui::MessageIcon::Exclamation);
    });
    EXPECT_EQ(box.text, "Line one.\nLine two!");
    EXPECT_EQ(box.caption, "A Caption");
    EXPECT_EQ(box.icon, ui::MessageIcon::Exclamation);
    EXPECT_EQ(box.owner, "The Owner");
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    const ui::MessageRecord plain = driver->answerMessageBox([&] { window->messageBox("Done.", "Plain", ui::MessageIcon::None); });
    EXPECT_EQ(plain.icon, ui::MessageIcon::None);
    EXPECT_EQ(plain.buttons, std::vector<std::string>{"OK"});
}

TEST_P(ContractTest, AQuestionGivesTheButtonChosenAndItsCloseBoxCancels)
{
    window->setCaption("The Owner");
    for (const ui::Answer chosen : {ui::Answer::Yes, ui::Answer::No, ui::Answer::Cancel}) {
        ui::Answer got = ui::Answer::Yes;
        const ui::MessageRecord box = driver->answerQuestion(chosen, [&] {
            got = window->ask("Apply the edit?", "Unapplied Text", ui::QuestionButtons::YesNoCancel);
        });
        EXPECT_EQ(got, chosen);
        EXPECT_EQ(box.text, "Apply the edit?");
        EXPECT_EQ(box.caption, "Unapplied Text");
        EXPECT_EQ(box.icon, ui::MessageIcon::Question);
        EXPECT_EQ(box.owner, "The Owner");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    }
    ui::Answer got = ui::Answer::Yes;
    const ui::MessageRecord twoButtons = driver->answerQuestion(ui::Answer::No, [&] {
        got = window->ask("Replace it?", "Replace", ui::QuestionButtons::YesNo);
    });
    EXPECT_EQ(got, ui::Answer::No);
    EXPECT_EQ(twoButtons.buttons, (std::vector<std::string>{"Yes", "No"}));
}

TEST_P(ContractTest, OkValidatesAndEndsCancelEscapeAndTheCloseBoxEnd)
{
    TptEntryDialog editor;
    editor.setEntry(0xC51B12, 5, 6);
    ui::MessageRecord refusal;
    const int refused = driver->runModal(ids::TptEntryDialogTemplate, editor, [&] {
        driver->clickInto(ids::TptSpriteEdit);
        driver->typeKeys(ids::TptSpriteEdit, "99"); // 599: past 463
        refusal = driver->answerMessageBox([&] { driver->pressEnter(); });
        driver->pressEscape();
    });
    EXPECT_EQ(refusal.text, "Please enter an integer between 0 and 463.") << "Enter runs the default button, OK";
    EXPECT_EQ(refused, ui::IdCancel);
    EXPECT_FALSE(editor.wasApplied());

    for (const auto& end : std::vector<std::function<void()>>{[&] { driver->pressCloseBox(); },
             [&] { driver->clickButton(ui::IdCancel); }, [&] { driver->pressEscape(); }}) {
        TptEntryDialog again;
        again.setEntry(0xC51B12, 5, 6);
        EXPECT_EQ(driver->runModal(ids::TptEntryDialogTemplate, again, end), ui::IdCancel);
        EXPECT_FALSE(again.wasApplied());
    }

    TptEntryDialog accepted;
    accepted.setEntry(0xC51B12, 5, 6);
    EXPECT_EQ(driver->runModal(ids::TptEntryDialogTemplate, accepted, [&] { driver->pressEnter(); }), ui::IdOk);
    EXPECT_TRUE(accepted.wasApplied());
    EXPECT_EQ(accepted.spriteValue(), 5);
}

TEST_P(ContractTest, AOneLineEditLimitsTypingButNotTheProgramsText)
{
    TptEntryDialog editor;
    editor.setEntry(0xFFFFFFFF, 1, 1); // eight digits, from an address once typed as -1
    ui::MessageRecord refusal;
    std::string shown, typed;
    driver->runModal(ids::TptEntryDialogTemplate, editor, [&] {
        shown = editor.window().controlText(ids::TptAddressEdit);
        driver->clickInto(ids::TptAddressEdit);
        driver->typeKeys(ids::TptAddressEdit, "1");
        typed = editor.window().controlText(ids::TptAddressEdit);
        refusal = driver->answerMessageBox([&] { driver->clickButton(ui::IdOk); });
    });
    EXPECT_EQ(shown, "FFFFFFFF") << "the program's text is not cut";
    EXPECT_EQ(typed, "FFFFFFFF") << "typing past the limit is refused";
    EXPECT_EQ(refusal.text, "Please enter no more than 6 characters.") << "the check on Apply refuses it instead";
    EXPECT_FALSE(editor.wasApplied());

    TptEntryDialog shorter;
    shorter.setEntry(0x12345, 1, 1);
    driver->runModal(ids::TptEntryDialogTemplate, shorter, [&] {
        driver->clickInto(ids::TptAddressEdit);
        driver->typeKeys(ids::TptAddressEdit, "67");
        typed = shorter.window().controlText(ids::TptAddressEdit);
        driver->clickInto(ids::TptSpriteEdit);
        driver->typeKeys(ids::TptSpriteEdit, "x2");
        shown = shorter.window().controlText(ids::TptSpriteEdit);
    });
    EXPECT_EQ(typed, "123456");
    EXPECT_EQ(shown, "12") << "a digits-only edit takes digits only";
}

TEST_P(ContractTest, ADialogWithoutButtonsEndsOnEnterAndItsTabsShowTheirPages)
{
    scrivlet::testing::TempDir dir;
    scrivlet::testing::TestImage image(0x100000);
    image.put(0x51D12, {0x50, 0x51, 0x02});
    image.setTptRecord(0, 0xC51B12, 1, 1);
    RomFile rom;
    ASSERT_TRUE(rom.open(image.writeTo(dir.file("d.smc")).string(), RomFile::Access::ReadOnly));
    fillCatalogue(textCatalogue(), rom, ListingSource::PointerTable);

    DetailsDialog details;
    details.setSubject(rom, "d.smc", 0, 3);
    bool rawShown = false, attributesHidden = false;
    std::string raw;
    const int result = driver->runModal(ids::DetailsDialogTemplate, details, [&] {
        driver->selectTab(ids::DetailsTabControl, 1);
        rawShown = details.window().isControlVisible(DetailsDialog::RawDataEdit);
        attributesHidden = !details.window().isControlVisible(DetailsDialog::TextAttributes);
        raw = details.window().controlText(DetailsDialog::RawDataEdit);
        driver->pressEnter();
    });
    EXPECT_TRUE(rawShown);
    EXPECT_TRUE(attributesHidden) << "a page shows only its own controls";
    EXPECT_EQ(raw, "50 51 02 ");
    EXPECT_EQ(result, ui::IdOk) << "Enter ends a dialog without a default button";

    DetailsDialog escaped;
    escaped.setSubject(rom, "d.smc", 0, 3);
    EXPECT_EQ(driver->runModal(ids::DetailsDialogTemplate, escaped, [&] { driver->pressEscape(); }), ui::IdCancel);
}

TEST_P(ContractTest, EnterPressesTheDefaultButtonAndEscapeEnds)
{
    RecordingDialog search(0, true);
    const int result = driver->runModal(ids::SearchDialogTemplate, search, [&] {
        driver->clickInto(ids::SearchTextEdit);
        driver->typeKeys(ids::SearchTextEdit, "hi");
        driver->pressEnter();
        driver->pressEscape();
    });
    EXPECT_EQ(search.commands.front(), ids::SearchFindButton) << "the default button takes Enter";
    EXPECT_EQ(result, ui::IdCancel);
}

TEST_P(ContractTest, ARightClickMovesTheMarkAndIsReportedOnce)
{
    fillList(sixRows());
    driver->clickRow(ids::ListView, 0);
    const std::size_t before = main.reports.size();
    driver->rightClickRow(ids::ListView, 3);
    ASSERT_EQ(main.reports.size(), before + 1) << "one report, and no click besides";
    EXPECT_EQ(main.reports.back().what, Notification::RightClick);
    EXPECT_EQ(main.reports.back().markAtReport, 3) << "the mark moved before the report";
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 3);
}

TEST_P(ContractTest, EachNotificationIsSentExactlyOnce)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "");
    const auto countsAfter = [&](const std::function<void()>& act) {
        const std::size_t from = main.reports.size();
        act();
        std::map<std::pair<int, Notification>, int> counts;
        for (std::size_t i = from; i < main.reports.size(); ++i)
            ++counts[{main.reports[i].control, main.reports[i].what}];
        return counts;
    };
    using Counts = std::map<std::pair<int, Notification>, int>;
    EXPECT_EQ(countsAfter([&] { driver->clickRow(ids::ListView, 2); }), (Counts{{{ids::ListView, Notification::Click}, 1}}));
    EXPECT_EQ(countsAfter([&] { driver->pressDownKey(ids::ListView); }), (Counts{{{ids::ListView, Notification::KeyDown}, 1}}));
    EXPECT_EQ(countsAfter([&] { driver->clickInto(ids::EditBox); }), (Counts{{{ids::EditBox, Notification::GotFocus}, 1}}));
    EXPECT_EQ(countsAfter([&] { driver->typeKeys(ids::EditBox, "x"); }), (Counts{{{ids::EditBox, Notification::TextChanged}, 1}}));
    // A paste, a cut and an undo are one change each, however the control makes them.
    driver->typeKeys(ids::EditBox, "yz");
    driver->selectAllIn(ids::EditBox);
    EXPECT_EQ(countsAfter([&] { driver->pressKeys(ids::EditBox, "Ctrl+X"); }), (Counts{{{ids::EditBox, Notification::TextChanged}, 1}}));
    EXPECT_EQ(countsAfter([&] { driver->pressKeys(ids::EditBox, "Ctrl+V"); }), (Counts{{{ids::EditBox, Notification::TextChanged}, 1}}));
    EXPECT_EQ(countsAfter([&] { driver->pressKeys(ids::EditBox, "Ctrl+Z"); }), (Counts{{{ids::EditBox, Notification::TextChanged}, 1}}));
    const std::size_t commands = main.commands.size();
    driver->chooseMenu(ids::EditSearch);
    EXPECT_EQ(main.commands.size(), commands + 1);
    driver->clickButton(ids::ApplyButton);
    EXPECT_EQ(main.commands.size(), commands + 2);
    EXPECT_EQ(main.commands.back(), ids::ApplyButton);
}

TEST_P(ContractTest, ADisabledButtonOrListSendsNothingByClickOrKey)
{
    fillList(sixRows());
    window->enableControl(ids::ApplyButton, false);
    driver->clickControl(ids::ApplyButton);
    driver->pressKeys(ids::ListView, "Ctrl+Return"); // the button's own key
    EXPECT_TRUE(main.commands.empty()) << "a disabled button sends nothing";
    window->enableControl(ids::ApplyButton, true);
    driver->pressKeys(ids::ListView, "Ctrl+Return");
    EXPECT_EQ(main.commands, std::vector<int>{ids::ApplyButton}) << "enabled, its key sends its command";

    window->enableControl(ids::ListView, false);
    const std::size_t before = main.reports.size();
    const int mark = window->listSelectionMark(ids::ListView);
    driver->clickControl(ids::ListView);
    EXPECT_EQ(main.reports.size(), before) << "a disabled list reports no click";
    driver->pressDownKey(ids::ListView);
    EXPECT_EQ(main.reports.size(), before) << "nor a key";
    EXPECT_EQ(window->listSelectionMark(ids::ListView), mark) << "and its mark stays";
}

TEST_P(ContractTest, AGrayItemsShortcutSendsNothing)
{
    fillList(sixRows());
    driver->clickRow(ids::ListView, 1);
    window->enableMenuItem(ids::EditSearch, false);
    driver->pressKeys(ids::ListView, "Ctrl+F");
    EXPECT_TRUE(main.commands.empty()) << "a gray item's shortcut sends nothing";
    window->enableMenuItem(ids::EditSearch, true);
    driver->pressKeys(ids::ListView, "Ctrl+F");
    EXPECT_EQ(main.commands, std::vector<int>{ids::EditSearch});
}

TEST_P(ContractTest, FilesDroppedOnTheWindowReachItsHandler)
{
    fillList(sixRows());
    const std::string first = (std::filesystem::temp_directory_path() / "dropped one.smc").string();
    const std::string second = (std::filesystem::temp_directory_path() / "caf\u00E9.sfc").string();
    for (const std::string& path : {first, second})
        std::ofstream(std::filesystem::u8path(path)) << "x";
    driver->dropFiles(ids::ListView, {first, second});
    ASSERT_EQ(main.dropped.size(), 1u) << "dropped on the list, reported by the window";
    EXPECT_EQ(main.dropped[0], (std::vector<std::string>{first, second}));
    driver->dropFiles(ids::EditBox, {first});
    ASSERT_EQ(main.dropped.size(), 2u) << "and on the edit box, which does not take it as text";
    EXPECT_EQ(window->controlText(ids::EditBox), "");
    for (const std::string& path : {first, second})
        std::filesystem::remove(std::filesystem::u8path(path));
}

TEST_P(ContractTest, GivingTheFocusToTheControlThatHasItReportsNothing)
{
    fillList(sixRows());
    driver->clickInto(ids::EditBox);
    const std::size_t before = main.reports.size();
    window->setFocus(ids::EditBox);
    EXPECT_EQ(main.reports.size(), before);
}

TEST_P(ContractTest, APasteGoesInAtTheCaret)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "XY");
    driver->clickInto(ids::EditBox);
    driver->selectAllIn(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+C");
    window->setControlText(ids::EditBox, "abcd");
    driver->typeKeys(ids::EditBox, ""); // the caret to the end
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Ctrl+V");
    EXPECT_EQ(window->controlText(ids::EditBox), "abXYcd");
    EXPECT_EQ(window->editCaret(ids::EditBox), 4) << "after what was pasted";
}

TEST_P(ContractTest, AHandlerCanRefuseEscapeAndTheCloseBox)
{
    RecordingDialog search(0, true);
    search.allowClose = false;
    bool upAfterEscape = false, upAfterCloseBox = false;
    int requests = 0;
    const int result = driver->runModal(ids::SearchDialogTemplate, search, [&] {
        driver->pressEscape();
        upAfterEscape = driver->topWindowIsUp();
        driver->pressCloseBox();
        upAfterCloseBox = driver->topWindowIsUp();
        requests = search.closeRequests;
        driver->clickButton(ui::IdCancel);
    });
    EXPECT_TRUE(upAfterEscape) << "Escape asked the handler, which said no";
    EXPECT_TRUE(upAfterCloseBox) << "so did the close box";
    EXPECT_EQ(requests, 2) << "each asked once";
    EXPECT_EQ(result, ui::IdCancel);

    main.allowClose = false;
    driver->pressEscape();
    EXPECT_TRUE(driver->topWindowIsUp()) << "the main window too";
    EXPECT_EQ(main.closeRequests, 1);
    main.allowClose = true;
    driver->pressCloseBox();
    EXPECT_FALSE(driver->topWindowIsUp()) << "and ends when the handler agrees";
}

TEST_P(ContractTest, AClickOnAPictureIsReported)
{
    RecordingDialog about;
    driver->runModal(ids::AboutDialogTemplate, about, [&] { driver->clickControl(ids::AboutPicture); });
    EXPECT_EQ(about.count(ids::AboutPicture, Notification::Click), 1);
}

TEST_P(ContractTest, GrayItemsAreDrawnGrayAndCheckMarksAsSet)
{
    window->enableMenuItem(ids::OptionsRawListing, true);
    window->checkMenuItem(ids::OptionsRawListing, false);
    const MenuItemLook plain = driver->menuItemLook(ids::OptionsRawListing);
    window->checkMenuItem(ids::OptionsRawListing, true);
    const MenuItemLook checked = driver->menuItemLook(ids::OptionsRawListing);
    window->checkMenuItem(ids::OptionsRawListing, false);
    window->enableMenuItem(ids::OptionsRawListing, false);
    const MenuItemLook gray = driver->menuItemLook(ids::OptionsRawListing);
    ASSERT_TRUE(plain.found && checked.found && gray.found);
    EXPECT_GT(checked.checkInk, plain.checkInk) << "a check mark is drawn beside a checked item";
    EXPECT_GT(gray.darkestText, plain.darkestText + 40) << "a gray item's caption is drawn lighter";
    EXPECT_TRUE(main.commands.empty()) << "looking at a menu chooses nothing";
}

TEST_P(ContractTest, AfterOpenTheChosenFilesFolderIsCurrentAlsoWhenItsPathWasTyped)
{
    scrivlet::testing::TempDir dir;
    const std::filesystem::path folder = dir.path() / "typed here";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "game.smc";
    std::ofstream(file) << "bytes";
    const std::filesystem::path saved = std::filesystem::current_path();
    ui::FileChoice choice;
    driver->typeIntoOpenDialog(file.string(), [&] { choice = window->chooseFileToOpen(messages::RomFileFilter); });
    const std::filesystem::path now = std::filesystem::current_path();
    std::filesystem::current_path(saved);
    EXPECT_EQ(choice.name, "game.smc");
    EXPECT_TRUE(std::filesystem::equivalent(choice.path, file)) << choice.path;
    EXPECT_TRUE(std::filesystem::equivalent(now, folder)) << now << " is current";
}

TEST_P(ContractTest, TheCaretIsReportedWhenItMovesAndALineBreakCountsTwo)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "ab\r\ncd");
    driver->clickInto(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+End");
    EXPECT_EQ(window->editCaret(ids::EditBox), 6);
    const int moves = main.count(ids::EditBox, Notification::CaretMoved);
    EXPECT_GT(moves, 0) << "the caret moved with the text as it was";
    driver->pressKeys(ids::EditBox, "Left");
    EXPECT_EQ(window->editCaret(ids::EditBox), 5);
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Left");
    EXPECT_EQ(window->editCaret(ids::EditBox), 2) << "over the line break, two characters to the program";
    EXPECT_EQ(main.count(ids::EditBox, Notification::CaretMoved), moves + 3);
    EXPECT_EQ(main.count(ids::EditBox, Notification::TextChanged), 0) << "moving the caret changes no text";
}

} // namespace

namespace {

TEST_P(ContractTest, TheMouseRestingOnACharacterShowsTheHandlersTipForIt)
{
    fillList(sixRows());
    main.tips = [](int control, int index) {
        return control == ids::EditBox && index >= 4 ? "tip for " + std::to_string(index) : std::string();
    };
    window->setControlText(ids::EditBox, "ab\r\ncdefgh");
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 6), "tip for 6") << "a line break before it counts two";
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 8), "tip for 8") << "moving on shows the next character's tip";
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 1), "") << "no tip where the handler has none";
    EXPECT_EQ(driver->hoverTipBelowText(ids::EditBox), "") << "the room below the text is no character";
    main.tips = [](int control, int index) { return control == ids::EditBox && index == 9 ? "one\ntwo" : std::string(); };
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 9), "one\ntwo") << "a tip's line break is a break";
}

TEST_P(ContractTest, ReplacingTheSelectionPutsTextAtTheCaretAsTypingWould)
{
    fillList(sixRows());
    window->setEditLimit(ids::EditBox, 8);
    window->setControlText(ids::EditBox, "ab\r\ncd");
    driver->clickInto(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+Home");
    driver->pressKeys(ids::EditBox, "Right");
    const int changes = main.count(ids::EditBox, Notification::TextChanged);
    window->editReplaceSelection(ids::EditBox, "[1C 02 00]");
    EXPECT_EQ(window->controlText(ids::EditBox), "a[1C 02 00]b\r\ncd") << "the typing limit does not cut it";
    EXPECT_EQ(window->editCaret(ids::EditBox), 11) << "the caret after what was put in";
    EXPECT_EQ(main.count(ids::EditBox, Notification::TextChanged), changes + 1);
    driver->pressKeys(ids::EditBox, "Ctrl+End");
    window->editReplaceSelection(ids::EditBox, "x\r\ny");
    EXPECT_EQ(window->controlText(ids::EditBox), "a[1C 02 00]b\r\ncdx\r\ny");
    EXPECT_EQ(window->editCaret(ids::EditBox), 20);
    driver->pressKeys(ids::EditBox, "Ctrl+Z");
    EXPECT_EQ(window->controlText(ids::EditBox), "a[1C 02 00]b\r\ncd") << "undone as one step, also over the limit";
}

} // namespace

namespace {

TEST_P(ContractTest, TheProgramGivingTheEditBoxTheFocusKeepsItsCaret)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "abcdef");
    driver->clickInto(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+Home");
    driver->pressKeys(ids::EditBox, "Right");
    driver->pressKeys(ids::EditBox, "Right");
    driver->clickRow(ids::ListView, 1);
    window->setFocus(ids::EditBox);
    window->editReplaceSelection(ids::EditBox, "X");
    EXPECT_EQ(window->controlText(ids::EditBox), "abXcdef") << "not all of the text selected, and so replaced";
}

} // namespace

namespace {

TEST_P(ContractTest, WarningMarksStandWhereTheProgramPutsThemAndChangeNoText)
{
    fillList(sixRows());
    window->setControlText(ids::EditBox, "ab\r\ncdef");
    const int changes = main.count(ids::EditBox, Notification::TextChanged);
    window->setEditWarnings(ids::EditBox, {{1, 2}, {6, 8}});
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 0));
    EXPECT_TRUE(driver->editWarnedAt(ids::EditBox, 1));
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 4)) << "c: after a line break counted as two";
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 5));
    EXPECT_TRUE(driver->editWarnedAt(ids::EditBox, 6));
    EXPECT_TRUE(driver->editWarnedAt(ids::EditBox, 7));
    EXPECT_EQ(main.count(ids::EditBox, Notification::TextChanged), changes) << "marks are no change of text";
    EXPECT_EQ(window->controlText(ids::EditBox), "ab\r\ncdef");
    window->setEditWarnings(ids::EditBox, {});
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 6)) << "taken away by the next call";
}

TEST_P(ContractTest, APressAndADragOnAPictureAreReportedInItsOwnPixelsAtAnyScale)
{
    fillList(sixRows());
    // The pane stands where the edit box does until a program places them side by side.
    window->showControl(ids::EditBox, false);
    window->showControl(ids::PreviewPane, true);
    using Mouse = RecordingDialog::PictureMouse;
    const auto drag = [&](int width, int height, const std::vector<std::pair<int, int>>& path) {
        ui::PixelImage image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0xFF204060u)};
        window->setControlPicture(ids::PreviewPane, image);
        main.mouse.clear();
        driver->dragOnPicture(ids::PreviewPane, path);
        return main.mouse;
    };
    // At its size: each point where the hand went, the press first.
    std::vector<Mouse> seen = drag(40, 20, {{3, 4}, {10, 4}, {10, 15}, {39, 19}});
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front(), (Mouse{ids::PreviewPane, ui::MouseAction::Press, 3, 4}));
    EXPECT_EQ(seen.back(), (Mouse{ids::PreviewPane, ui::MouseAction::Drag, 39, 19}));
    EXPECT_NE(std::find(seen.begin(), seen.end(), Mouse{ids::PreviewPane, ui::MouseAction::Drag, 10, 15}), seen.end());
    for (std::size_t k = 1; k < seen.size(); ++k)
        EXPECT_EQ(seen[k].action, ui::MouseAction::Drag);
    // Scaled down (four times wider than any control here): still its own pixels, within a screen pixel of a control at least 100 wide.
    seen = drag(4000, 20, {{2000, 10}, {3990, 10}});
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front().action, ui::MouseAction::Press);
    EXPECT_NEAR(seen.front().x, 2000, 40);
    EXPECT_NEAR(seen.back().x, 3990, 40);
    // A press off the picture (it is drawn in the middle; the room around it is no pixel) reports nothing.
    seen = drag(4, 4, {{-20, 2}, {2, 2}});
    EXPECT_TRUE(seen.empty());
}

TEST_P(ContractTest, APictureIsDrawnInTheMiddleOfItsControlWithItsCornersColourAround)
{
    fillList(sixRows());
    window->showControl(ids::PreviewPane, true);
    // 20 x 10: green top-left pixel, the left half red, the right half blue.
    ui::PixelImage image{20, 10, std::vector<std::uint32_t>(200)};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            image.argb[static_cast<std::size_t>(y * 20 + x)] = x < 10 ? 0xFFFF0000u : 0xFF0000FFu;
    image.argb[0] = 0xFF00FF00u;
    window->setControlPicture(ids::PreviewPane, image);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, -4, 0), 0xFFFF0000u);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, 4, 0), 0xFF0000FFu);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, -30, 0), 0xFF00FF00u) << "around it: its corner's colour";
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, 0, 20), 0xFF00FF00u);
    image.argb.assign(200, 0xFF0000FFu);
    window->setControlPicture(ids::PreviewPane, image);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, -4, 0), 0xFF0000FFu) << "drawn again when set again";
}

} // namespace
