// What a user does in the editor, end to end, with real mouse and key input on
// every backend that has it.
#include "EditorSuite.h"
#include "cli/SampleFont.h"
#include "cli/SampleImage.h"
#include "text/CharacterTable.h"
#include "tools/DetailsDialog.h"
#include "tools/FontPictures.h"

#include <algorithm>
#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST_P(EditorTest, EditCommandsAreChosenFromTheMenuWithTheMouse)
{
    open(standardRom());
    driver->screenshot(name("main-window").c_str());
    driver->clickInto(ids::EditBox);
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_TRUE(window().isMenuItemEnabled(id));
    driver->selectAllIn(ids::EditBox);
    driver->chooseMenu(ids::EditCut);
    EXPECT_EQ(text(ids::EditBox), "") << "Cut came through the menu";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 0 (uncompressed)");
    driver->chooseMenu(ids::EditPaste);
    EXPECT_EQ(text(ids::EditBox), "Hello[02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
    driver->clickRow(ids::ListView, 1);
    EXPECT_FALSE(window().isMenuItemEnabled(ids::EditCut)) << "the list took the focus";
}

TEST_P(EditorTest, ADragInTheListShowsAndWritesTheRowReached)
{
    const std::string path = standardRom();
    open(path);
    driver->dragRows(ids::ListView, 0, 3);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 5");
    EXPECT_EQ(text(ids::EditBox), "AAAA[02]");
    driver->clickInto(ids::EditBox);
    clearByKeys(ids::EditBox);
    EXPECT_EQ(text(ids::EditBox), "");
    driver->typeKeys(ids::EditBox, "BBBB[02]");
    driver->clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(slice(onDisk, 0x51D50, 5), bytes({gameText("BBBB"), {0x02}}));
    EXPECT_EQ(slice(onDisk, 0x51D12, 6), bytes({gameText("Hello"), {0x02}})) << "the row the drag started on is untouched";
    EXPECT_EQ(window().listRowText(ids::ListView, 3), "BBBB");
}

TEST_P(EditorTest, AfterApplyTheRowStaysCurrentAndNoOtherIsHighlighted)
{
    const std::string path = standardRom();
    open(path);
    driver->clickRow(ids::ListView, 2);
    driver->clickInto(ids::EditBox);
    clearByKeys(ids::EditBox);
    driver->typeKeys(ids::EditBox, "Ho[02]");
    driver->clickButton(ids::ApplyButton);
    EXPECT_EQ(window().listSelectionMark(ids::ListView), 2);
    EXPECT_EQ(driver->highlightedRow(ids::ListView), -1) << "no other row becomes highlighted";
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/4");
    EXPECT_EQ(text(ids::EditBox), "Ho[02]");
    driver->pressDownKey(ids::ListView);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4") << "the keys go on from the rewritten row";
}

TEST_P(EditorTest, TypingPastTheLimitKeepsTheFirst4000Characters)
{
    open(standardRom());
    driver->clickInto(ids::EditBox);
    window().setControlText(ids::EditBox, std::string(3995, 'a'));
    driver->typeKeys(ids::EditBox, "bcdefghijk");
    const std::string now = text(ids::EditBox);
    EXPECT_EQ(now.size(), 4000u);
    EXPECT_EQ(now.substr(3990), "aaaaabcdef") << "nothing typed earlier is lost";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 4000 (uncompressed)");
}

TEST_P(EditorTest, ALoneLineFeedAndCarriageReturnAreWrittenBackAsOneByteEach)
{
    const std::string path = loneLineBreaksImage().writeTo(dir.file("rom.smc")).string();
    open(path);
    EXPECT_EQ(text(ids::EditBox), "A\nB\rC[02]");
    driver->chooseMenu(ids::OptionsPreventOverwrites); // the string outgrows its two-byte reference
    driver->clickButton(ids::ApplyButton);
    EXPECT_EQ(slice(readFile(path), 0x51D12, 6), (std::vector<std::uint8_t>{0x71, 0x3A, 0x72, 0x3D, 0x73, 0x02}));
    EXPECT_EQ(text(ids::SizeLabel), "Size: 6");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
}

TEST_P(EditorTest, EnterInEachToolWindow)
{
    const std::string path = standardRom();
    open(path);
    // Search: Enter runs Find, which moves to the next row holding the string.
    driver->whileModalIsUp(ids::SearchDialogTemplate, [&] {
        driver->clickInto(ids::SearchTextEdit);
        driver->typeKeys(ids::SearchTextEdit, "aaaa");
        driver->screenshot(name("search").c_str());
        expectNoMinimizeOrMaximizeBox("search");
        driver->pressEnter();
    }, [&] { driver->chooseMenu(ids::EditSearch); });
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");

    // The record editor: Enter is Apply Changes.
    driver->clickRow(ids::ListView, 0);
    driver->whileModalIsUp(ids::TptEntryDialogTemplate, [&] {
        driver->clickInto(ids::TptSpriteEdit);
        driver->typeKeys(ids::TptSpriteEdit, "0"); // 5 becomes 50
        driver->screenshot(name("tpt-entry-editor").c_str());
        expectNoMinimizeOrMaximizeBox("record editor");
        driver->pressEnter();
    }, [&] { driver->chooseMenu(ids::ToolsEditTptEntry); });
    EXPECT_EQ(readFile(path)[0xF8B92 + 5], 50);

    // Details has no buttons: Enter closes it, from any page.
    bool closedByEnter = false;
    driver->whileModalIsUp(ids::DetailsDialogTemplate, [&] {
        driver->screenshot(name("details-text").c_str());
        expectNoMinimizeOrMaximizeBox("details");
        driver->selectTab(ids::DetailsTabControl, 1);
        driver->screenshot(name("details-raw-data").c_str());
        driver->selectTab(ids::DetailsTabControl, 2);
        driver->screenshot(name("details-rom").c_str());
        driver->pressEnter();
        closedByEnter = !driver->topWindowIsUp();
    }, [&] { driver->chooseMenu(ids::ToolsViewDetails); });
    EXPECT_TRUE(closedByEnter);
}

TEST_P(EditorTest, TheOpenDialogOffersTheFiltersAsWritten)
{
    const auto shown = driver->openDialogFileTypes([&] { driver->chooseMenu(ids::FileOpen); });
    EXPECT_EQ(shown, (std::vector<std::string>{"SNES ROM (*.smc, *.sfc, *.fig)", "All Files (*.*)"}));
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - No File Loaded") << "a cancelled dialog opens nothing";
}

TEST_P(EditorTest, TheWindowHasBothIconsAMinimizeBoxAndGrows)
{
    const auto look = driver->windowLook(driver->mainWindow());
    EXPECT_TRUE(look.minimizeBox);
    EXPECT_TRUE(look.maximizeBox) << "it grows";
    EXPECT_NE(std::find(look.iconSizes.begin(), look.iconSizes.end(), 16), look.iconSizes.end()) << "the small icon";
    EXPECT_NE(std::find(look.iconSizes.begin(), look.iconSizes.end(), 32), look.iconSizes.end()) << "the large icon";

    const ui::PixelRect list0 = driver->controlRect(ids::ListView), edit0 = driver->controlRect(ids::EditBox),
                        apply0 = driver->controlRect(ids::ApplyButton);
    driver->resizeMainWindowBy(200, 150);
    const ui::PixelRect list = driver->controlRect(ids::ListView), edit = driver->controlRect(ids::EditBox),
                        apply = driver->controlRect(ids::ApplyButton);
    EXPECT_EQ(list.right - list.left, list0.right - list0.left + 200) << "the list takes the extra width";
    EXPECT_EQ(list.bottom - list.top, list0.bottom - list0.top + 100) << "and two thirds of the extra height";
    EXPECT_EQ(edit.bottom - edit.top, edit0.bottom - edit0.top + 50) << "the edit box the other third";
    EXPECT_EQ(apply.left, apply0.left + 200) << "Apply Changes stays in the corner";
    EXPECT_EQ(apply.top, apply0.top + 150);
    driver->screenshot(name("main-window-grown").c_str());
}

TEST_P(EditorTest, TheAboutBoxMovesWhenItsPictureIsClickedAndTheGizmosWork)
{
    ui::PixelRect before{}, after{};
    std::string caption;
    driver->whileModalIsUp(ids::AboutDialogTemplate, [&] {
        driver->screenshot(name("about").c_str());
        before = driver->topModal().screenRect();
        driver->clickControl(ids::AboutPicture);
        after = driver->topModal().screenRect();
        caption = driver->topModal().caption();
        driver->clickButton(ui::IdOk);
    }, [&] { driver->chooseMenu(ids::HelpAbout); });
    EXPECT_EQ(caption, "Quorbel has possessed this About box!");
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "moved, not resized";
    EXPECT_LT(after.left, 200 + 1);
    EXPECT_LT(after.top, 200 + 1);

    open(standardRom());
    bool checked = false;
    driver->whileModalIsUp(ids::GizmoDialogTemplate, [&] {
        driver->screenshot(name("gizmos").c_str());
        driver->clickControl(1055); // the check box checks itself
        checked = driver->checkBoxIsChecked(1055);
        driver->pressEnter();
    }, [&] { driver->chooseMenu(ids::OptionsUseCompression); });
    EXPECT_TRUE(checked);
}

TEST_P(EditorTest, AFileThatIsNoRomIsRefusedWithAMessage)
{
    std::ofstream(dir.file("not-a-rom.smc")) << "not a ROM image";
    const ui::MessageRecord box = driver->answerMessageBox([&] {
        driver->setNextFileChoice({dir.file("not-a-rom.smc").string(), "not-a-rom.smc"});
        driver->chooseMenu(ids::FileOpen);
    });
    EXPECT_EQ(box.text, "This is an unrecognized ROM.");
    EXPECT_EQ(box.caption, "Bad ROM");
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - No File Loaded");
}

TEST_P(EditorTest, ACharacterTheGameCannotShowIsMarkedAsTypedAndTheLineBelowSaysWhatItBecomes)
{
    open(standardRom());
    driver->clickInto(ids::EditBox);
    clearByKeys(ids::EditBox);
    driver->typeKeys(ids::EditBox, "Caf\u00E9[03");
    EXPECT_EQ(text(ids::EditBox), "Caf\u00E9[03");
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 0), contract::EditorDriver::Mark::Plain);
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 3), contract::EditorDriver::Mark::Error) << "\u00E9 is written as a control code";
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 6), contract::EditorDriver::Mark::Error) << "a group never closed";
    driver->typeKeys(ids::EditBox, "]");
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 6), contract::EditorDriver::Mark::Group);
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 5 (uncompressed)");
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Left");
    driver->pressKeys(ids::EditBox, "Left");
    EXPECT_EQ(text(ids::CaretNote), "\u00E9 is written as byte 19, a control code") << "the caret just after it";
    driver->screenshot(name("unshowable-character").c_str());
    driver->pressKeys(ids::EditBox, "Left");
    EXPECT_EQ(text(ids::CaretNote), "") << "after the f the game shows";
    driver->pressKeys(ids::EditBox, "Ctrl+End");
    driver->typeKeys(ids::EditBox, "\r");
    EXPECT_EQ(text(ids::CaretNote), "A line break is written as bytes 3D 3A, two control codes");
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 9), contract::EditorDriver::Mark::Error) << "a typed line break is marked";
    // A letter with no byte at all: marked, and the line says Apply refuses it.
    driver->typeKeys(ids::EditBox, "I\u2019");
    EXPECT_EQ(text(ids::EditBox), "Caf\u00E9[03]\r\nI\u2019");
    EXPECT_EQ(text(ids::CaretNote), "\u2019 has no byte in the game's text; Apply Changes refuses it");
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 12), contract::EditorDriver::Mark::Error);
    EXPECT_EQ(driver->editMarkAt(ids::EditBox, 11), contract::EditorDriver::Mark::Plain);
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: Unknown");
}

TEST_P(EditorStartedWithAFile, TheROMNamedOnTheCommandLineIsOpenWhenTheWindowComesUp)
{
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - File Loaded");
    EXPECT_EQ(dialog->romFileName, "named.smc");
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/4");
    // And a second ROM dropped on its list replaces it, as File > Open would.
    const std::string other = fourRowImage().writeTo(dir.file("dropped.smc")).string();
    driver->dropFiles(ids::ListView, {other});
    EXPECT_EQ(dialog->romFileName, "dropped.smc");
}

TEST_P(EditorTest, NoTextIsCutShortInAnyWindow)
{
    using Texts = std::vector<std::string>;
    open(standardRom());
    window().setControlText(ids::CurrentSizeLabel, "Current Size: 4000 (uncompressed)");
    EXPECT_EQ(driver->clippedTexts(), Texts{}) << "the main window";
    for (int templateId : {ids::TptEntryDialogTemplate, ids::SearchDialogTemplate, ids::AboutDialogTemplate, ids::GizmoDialogTemplate}) {
        Texts clipped{"the dialog never came up"};
        const int command = templateId == ids::TptEntryDialogTemplate ? ids::ToolsEditTptEntry
            : templateId == ids::SearchDialogTemplate                ? ids::EditSearch
            : templateId == ids::AboutDialogTemplate                 ? ids::HelpAbout
                                                                     : ids::OptionsUseCompression;
        driver->whileModalIsUp(templateId, [&] {
            clipped = driver->clippedTexts();
            driver->screenshot(name(("fits-" + std::to_string(templateId)).c_str()).c_str());
        }, [&] { driver->chooseMenu(command); });
        EXPECT_EQ(clipped, Texts{}) << "dialog " << templateId;
    }
    driver->whileModalIsUp(ids::DetailsDialogTemplate, [&] {
        for (int page = 0; page < 3; ++page) {
            driver->selectTab(ids::DetailsTabControl, page);
            EXPECT_EQ(driver->clippedTexts(), Texts{}) << "details page " << page;
        }
    }, [&] { driver->chooseMenu(ids::ToolsViewDetails); });
}

} // namespace

TEST_P(EditorTest, TheNameLineTheTipAndTheCodeReferenceWorkByMouseAndKeys)
{
    const std::string path = referencesImage().writeTo(dir.file("refs.smc")).string();
    open(path);
    driver->clickRow(ids::ListView, 1);
    ASSERT_EQ(text(ids::EditBox), "Go[0A 12 1B C5 00]no[02]");
    const std::string jump = "0A jump_text: Go on at the text address; bytes after this code are not read";
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 5), jump);
    EXPECT_EQ(driver->hoverTip(ids::EditBox, 0), "") << "letters have no tip";

    driver->clickInto(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+Home");
    for (int i = 0; i < 4; ++i)
        driver->pressKeys(ids::EditBox, "Right");
    EXPECT_EQ(text(ids::CaretNote), jump) << "the caret in the group";
    driver->screenshot(name("code-name-line").c_str());
    driver->pressKeys(ids::EditBox, "F12");
    EXPECT_EQ(text(ids::LineLabel), "Line: 1/7") << "F12 goes to the row the jump leads to";

    driver->clickInto(ids::EditBox);
    driver->pressKeys(ids::EditBox, "Ctrl+End");
    driver->whileModalIsUp(ids::CodeReferenceDialogTemplate, [&] {
        driver->clickInto(ids::CodeFilterEdit);
        driver->typeKeys(ids::CodeFilterEdit, "print_char_name");
        driver->screenshot(name("code-reference").c_str());
        driver->clickRow(ids::CodeList, 0);
        driver->clickButton(ids::CodeInsertButton);
    }, [&] { driver->chooseMenu(ids::ToolsCodeReference); });
    EXPECT_EQ(text(ids::EditBox), "Target[02][1C 02 00]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 10 (uncompressed)");
}

TEST_P(EditorTest, ThePreviewAndTheMarksFollowWhatIsTyped)
{
    open(fontImage().writeTo(dir.file("font.smc")).string());
    driver->chooseMenu(ids::OptionsShowPreview);
    driver->resizeMainWindowBy(200, 200); // room for the picture at twice the size
    const ui::PixelRect edit = driver->controlRect(ids::EditBox), pane = driver->controlRect(ids::PreviewPane);
    EXPECT_LT(edit.right, pane.left) << "side by side";
    EXPECT_GE(pane.right - pane.left, (80 + 16 + 8) * 2) << "each took half of the extra width";
    driver->clickRow(ids::ListView, 2);
    clearByKeys(ids::EditBox);
    driver->typeKeys(ids::EditBox, "AAAA AAAA");
    // 80 pixels of text and a frame of 8 on each side, twice the size: x = 80 from
    // the middle is the frame right of the window's last column.
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, 80, 0), 0xFFB8C0D0u);
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 8));

    driver->typeKeys(ids::EditBox, "AAAAAAA"); // a word of eleven letters: wider than a line
    EXPECT_TRUE(driver->editWarnedAt(ids::EditBox, 13)) << "the letter whose ink passes the window's edge";
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 12));
    // Now 6 pixels of the cut letter's room lie past the edge: x = 80 from the middle is in them.
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, 80, 0), 0xFF502028u) << "now the room past the window";
    driver->screenshot(name("preview").c_str());

    for (int k = 0; k < 3; ++k)
        driver->pressKeys(ids::EditBox, "Backspace");
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 12));
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, 80, 0), 0xFFB8C0D0u) << "fits again";

    // The window chosen beside the preview: entry 5 of this image is empty, so the game's own 136 pixels.
    driver->typeKeys(ids::EditBox, "AAAAAA");
    EXPECT_TRUE(driver->editWarnedAt(ids::EditBox, 13));
    clearByKeys(ids::PreviewWindowEntry);
    driver->typeKeys(ids::PreviewWindowEntry, "5");
    EXPECT_EQ(text(ids::PreviewWindowSize), "136 px, 3 lines");
    EXPECT_FALSE(driver->editWarnedAt(ids::EditBox, 13)) << "fourteen letters fit 136 pixels";
    driver->screenshot(name("preview-window-5").c_str());

    // A picture larger than its control is drawn scaled down whole, not cut:
    // its green left band shows at the control's left edge.
    const int width = pane.right - pane.left, height = pane.bottom - pane.top;
    ui::PixelImage big{width * 4, height * 4, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height * 16))};
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.argb[static_cast<std::size_t>(y * big.width + x)] = x < big.width / 10 ? 0xFF00FF00u : x < big.width / 2 ? 0xFFFF0000u : 0xFF0000FFu;
    window().setControlPicture(ids::PreviewPane, big);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, -(width / 2 - 6), 0), 0xFF00FF00u) << "the left band, scaled down";
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, width / 2 - 6, 0), 0xFF0000FFu);
    EXPECT_EQ(driver->pictureColourAt(ids::PreviewPane, -4, 0), 0xFFFF0000u);

    // A control placed anew keeps its new anchors: back to the full width, it grows as the list does.
    driver->chooseMenu(ids::OptionsShowPreview);
    driver->resizeMainWindowBy(60, 0);
    const ui::PixelRect list = driver->controlRect(ids::ListView), full = driver->controlRect(ids::EditBox);
    EXPECT_EQ(full.right, list.right) << "the edit box spans the window again, also after a resize";
}

TEST_P(EditorTest, AccentedLettersAreTypedWrittenAndDrawnAndTheFontWindowDrawsWithTheMouse)
{
    TestImage image(0);
    image.data() = buildSampleImage(true);
    const std::string path = image.writeTo(dir.file("sample.smc")).string();
    std::ofstream(dir.file("sample.tbl"), std::ios::binary) << sampleCharacterTable();
    open(path);
    EXPECT_EQ(text(ids::CaretNote), "Using the character table sample.tbl (12 entries).");
    driver->chooseMenu(ids::OptionsShowPreview);
    driver->resizeMainWindowBy(200, 120);

    // Typed with the keyboard, written as the table's bytes, shown in the list and drawn.
    driver->clickRow(ids::ListView, 1);
    EXPECT_EQ(window().controlText(ids::EditBox).substr(0, 14), "@¿Qué tal, [");
    clearByKeys(ids::EditBox);
    driver->typeKeys(ids::EditBox, "¿Qué tal, ñandú?[02]");
    EXPECT_EQ(window().controlText(ids::EditBox), "¿Qué tal, ñandú?[02]");
    driver->clickButton(ids::ApplyButton);
    const auto written = readFile(path);
    const std::vector<std::uint8_t> expected{0xB8, 0x81, 0xA5, 0xB1, 0x50, 0xA4, 0x91, 0x9C, 0x5C, 0x50, 0xB5, 0x91, 0x9E, 0x94, 0xB4, 0x6F, 0x02};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin() + 0x51DD4));
    EXPECT_EQ(window().listRowText(ids::ListView, 1), "¿Qué tal, ñandú?");
    driver->screenshot(name("preview-accented").c_str());

    // The font window: the blank glyph of byte BC chosen in the grid, a stroke
    // dragged down its large picture, a width typed, applied.
    driver->whileModalIsUp(ids::FontDialogTemplate, [&] {
        const auto cell = [](int k) { return std::pair{1 + fontview::CellWidth * (k % 16) + 10, 1 + fontview::CellHeight * (k / 16) + 10}; };
        const auto pixel = [](int x, int y) { return std::pair{1 + x * fontview::PixelSize + 4, 1 + y * fontview::PixelSize + 4}; };
        driver->dragOnPicture(ids::FontGrid, {cell(108)});
        EXPECT_EQ(driver->topModal().controlText(ids::GlyphLabel), "Byte BC, glyph 108 of the main font");
        driver->dragOnPicture(ids::GlyphPicture, {pixel(3, 3), pixel(3, 6), pixel(3, 9), pixel(3, 12)});
        clearByKeys(ids::GlyphWidthEdit);
        driver->typeKeys(ids::GlyphWidthEdit, "5");
        driver->screenshot(name("font-window").c_str());
        driver->clickButton(ids::GlyphApplyButton);
        EXPECT_EQ(driver->topModal().controlText(ids::FontNote), "Byte BC of the main font written; Undo last write takes it back.");
    }, [&] { driver->chooseMenu(ids::ToolsFont); });
    const auto drawn = readFile(path);
    const std::size_t glyph = 0x300200 + 108 * 32;
    for (std::size_t row = 0; row < 16; ++row)
        EXPECT_EQ(drawn[glyph + row], row >= 3 && row <= 12 ? 0x10 : 0x00) << "row " << row;
    EXPECT_EQ(drawn[0x300200 + 128 * 32 + 108], 5);
    currentCharacterTable() = CharacterTable{};
}
