// Text as the game's window shows it: the preview beside the edit box, the
// marks past the window's width, and the fit check of a listing.
#include "WindowFixture.h"

#include "text/GamePreview.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class GameView : public MainDialogTest {
protected:
    void openFontImage() { open(write(fontImage())); }
    const ui::PixelImage& picture() { return window.control(ids::PreviewPane).picture; }
    std::vector<std::pair<int, int>> marks() { return window.control(ids::EditBox).warnings; }
};

TEST_F(GameView, ShowPreviewPutsThePaneBesideTheEditBoxAndTakesItAwayAgain)
{
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsShowPreview));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::OptionsShowPreview)) << "a view, offered with no ROM open too";
    EXPECT_FALSE(window.isControlVisible(ids::PreviewPane)) << "hidden at start";
    openFontImage();
    const ui::PixelRect full = window.control(ids::EditBox).rect;
    ASSERT_TRUE(window.chooseMenu(ids::OptionsShowPreview));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsShowPreview));
    EXPECT_TRUE(window.isControlVisible(ids::PreviewPane));
    const ui::PixelRect edit = window.control(ids::EditBox).rect, pane = window.control(ids::PreviewPane).rect;
    EXPECT_LT(edit.right, pane.left) << "side by side";
    EXPECT_EQ(edit.left, full.left);
    EXPECT_EQ(pane.right, full.right);
    EXPECT_EQ(window.control(ids::EditBox).anchor.growX, 0.5) << "each takes half of a wider window";
    EXPECT_EQ(picture().width, (80 + 6 + 2 * preview::Margin) * 2) << "row 0 at twice the size, with the ink its cut word puts past the edge";
    EXPECT_EQ(picture().height, (3 * 16 + 2 * preview::Margin) * 2) << "one page: the caret's";
    for (int id : {ids::PreviewWindowLabel, ids::PreviewWindowEntry, ids::PreviewWindowSize})
        EXPECT_TRUE(window.isControlVisible(id)) << "the window's choice beside the preview";
    EXPECT_EQ(text(ids::PreviewWindowEntry), "1");
    EXPECT_EQ(text(ids::PreviewWindowSize), "80 px, 3 lines");

    ASSERT_TRUE(window.chooseMenu(ids::FileClose));
    EXPECT_TRUE(window.isControlVisible(ids::PreviewPane)) << "the option outlives the file";
    EXPECT_EQ(picture().width, 0) << "with nothing to show";
    ASSERT_TRUE(window.chooseMenu(ids::OptionsShowPreview));
    EXPECT_FALSE(window.isControlVisible(ids::PreviewPane));
    EXPECT_FALSE(window.isControlVisible(ids::PreviewWindowEntry));
    EXPECT_EQ(window.control(ids::EditBox).rect.right, full.right) << "the edit box as the window was built";
    EXPECT_EQ(window.control(ids::EditBox).anchor.growX, 1.0);
}

TEST_F(GameView, ThePreviewFollowsEveryKeystrokeRowAndCaretPage)
{
    openFontImage();
    ASSERT_TRUE(window.chooseMenu(ids::OptionsShowPreview));
    const int margin = preview::Margin * 2;
    window.clickRow(ids::ListView, 1);
    EXPECT_EQ(picture().width, (86 + 2 * preview::Margin) * 2) << "row 1's cut word puts ink 6 pixels past the window";
    const ui::PixelImage before = picture();
    window.typeText(ids::EditBox, "A[02]");
    EXPECT_NE(picture().argb, before.argb) << "typed: drawn again";
    EXPECT_EQ(picture().width, (80 + 2 * preview::Margin) * 2);
    EXPECT_EQ(picture().argb[static_cast<std::size_t>(margin * picture().width + margin)], preview::Ink) << "the A";

    window.typeText(ids::EditBox, "A[03][00][00][00]A[02]");
    window.moveCaret(ids::EditBox, 0);
    EXPECT_EQ(picture().argb[static_cast<std::size_t>(margin * picture().width + margin)], preview::Ink)
        << "the page read at the wait: its first line holds the A";
    window.moveCaret(ids::EditBox, 18);
    EXPECT_EQ(picture().argb[static_cast<std::size_t>(margin * picture().width + margin)], preview::Inside)
        << "the caret past the wait: the page read at the end, its first line blank";

    window.answers.push_back(ui::Answer::No);
    window.clickRow(ids::ListView, 2);
    EXPECT_EQ(picture().width, (80 + 2 * preview::Margin) * 2) << "another row, drawn at once: nothing of it is cut";
}

TEST_F(GameView, WhatRunsPastTheWindowIsMarkedAsItIsTyped)
{
    openFontImage();
    EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{8, 10}})) << "row 0: the word of ten A's, from the letter that passes the edge";
    window.clickRow(ids::ListView, 1);
    EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{8, 11}}));
    window.typeText(ids::EditBox, "AAAA AAAA AAAA AAAA AAAA");
    EXPECT_TRUE(marks().empty()) << "a long line wraps: nothing is cut";
    window.typeText(ids::EditBox, "AAAA AAAAAAAAAA[01]W");
    EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{13, 15}}));
    window.typeText(ids::EditBox, "short");
    EXPECT_TRUE(marks().empty());
    window.typeText(ids::EditBox, "AAAAAAAAAAAA");
    window.answers.push_back(ui::Answer::No);
    ASSERT_TRUE(window.chooseMenu(ids::FileClose));
    EXPECT_TRUE(marks().empty()) << "nothing marked with no ROM";
}

TEST_F(GameView, CheckTextFitListsTheLinesTooWideAndGoesToTheOneChosen)
{
    EXPECT_FALSE(window.isMenuItemEnabled(ids::ToolsCheckFit));
    openFontImage();
    platform.drivers.push_back([](ui::HeadlessWindow& fit) {
        EXPECT_EQ(fit.caption(), "Check Text Fit");
        ASSERT_EQ(fit.listRowCount(ids::FitList), 3);
        EXPECT_EQ(fit.listRowText(ids::FitList, 0), "Row 1, line 2: cut: AAAAAAAAAA (89 px, room 74 px)");
        EXPECT_EQ(fit.listRowText(ids::FitList, 2), "Row 4, line 2: cut: AAAAAAAAAAAA (107 px, room 74 px)");
        fit.clickRow(ids::FitList, 1);
        fit.clickButton(ids::FitGoButton);
        EXPECT_TRUE(fit.ended());
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCheckFit));
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 1);
    EXPECT_EQ(text(ids::LineLabel), "Line: 2/5");

    // Typed text not applied is asked about before the chosen row is shown.
    window.typeText(ids::EditBox, "changed");
    platform.drivers.push_back([](ui::HeadlessWindow& fit) {
        fit.answers.push_back(ui::Answer::Cancel);
        fit.doubleClickRow(ids::FitList, 0);
        EXPECT_FALSE(fit.ended()) << "Cancel: the window stays";
    });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCheckFit));
    EXPECT_EQ(text(ids::EditBox), "changed");
}

TEST_F(GameView, AListingThatFitsSaysSo)
{
    open(write(standardImage())); // no font: nothing has width, in a window of the game's own width
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCheckFit));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
        "The game's window (136 pixels across, 3 lines) cuts no word of this listing, and no text scrolls away before a wait.");
    EXPECT_EQ(window.messages[0].caption, "Check Text Fit");
    EXPECT_TRUE(platform.modalTemplatesRun.empty());
}

TEST_F(GameView, TheWindowChosenBesideThePreviewLaysTheTextOutFromThenOn)
{
    TestImage image = fontImage();
    image.put(0x3E450 + 5 * 8 + 4, {20, 0x00, 6, 0x00}); // entry 5: 144 pixels, 2 lines
    open(write(image));
    ASSERT_TRUE(window.chooseMenu(ids::OptionsShowPreview));
    EXPECT_FALSE(marks().empty());
    window.typeText(ids::PreviewWindowEntry, "5");
    EXPECT_EQ(text(ids::PreviewWindowSize), "144 px, 2 lines");
    EXPECT_TRUE(marks().empty()) << "ten A's fit 144 pixels";
    EXPECT_EQ(picture().width, (144 + 2 * preview::Margin) * 2);
    EXPECT_EQ(picture().height, (2 * 16 + 2 * preview::Margin) * 2);
    window.typeText(ids::PreviewWindowEntry, "");
    EXPECT_EQ(text(ids::PreviewWindowSize), "144 px, 2 lines") << "nothing typed: the window stays";

    ASSERT_TRUE(window.chooseMenu(ids::FileClose));
    open(write(image));
    EXPECT_EQ(text(ids::PreviewWindowSize), "144 px, 2 lines") << "kept while the program runs";
    platform.drivers.push_back([](ui::HeadlessWindow&) { ADD_FAILURE() << "nothing is cut in this window"; });
    ASSERT_TRUE(window.chooseMenu(ids::ToolsCheckFit));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
        "The game's window (144 pixels across, 2 lines) cuts no word of this listing, and no text scrolls away before a wait.");
    platform.drivers.clear();
}

} // namespace
