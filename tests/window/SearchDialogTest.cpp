#include "WindowFixture.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class SearchTest : public MainDialogTest {
protected:
    void SetUp() override
    {
        MainDialogTest::SetUp();
        TestImage image(0x100000);
        const char* texts[] = {"hello one", "nothing", "say HELLO", "bye", "Hello last"};
        for (int i = 0; i < 5; ++i) {
            image.put(0x60000 + 0x100 * static_cast<std::size_t>(i), bytes({{0x1C, 0x02, 0x01}, gameText(texts[i]), {0x02}}));
            image.setTptRecord(i, 0xC5FE00 + 0x100 * static_cast<std::uint32_t>(i), 1, 1);
        }
        open(write(image));
    }

    // Types `needle` and presses Find `times` times in one opening of the window.
    void search(const std::string& needle, int times)
    {
        platform.drivers.push_back([needle, times](ui::HeadlessWindow& search) {
            EXPECT_EQ(search.controlText(ids::SearchTextEdit), "") << "nothing is remembered";
            search.typeText(ids::SearchTextEdit, needle);
            for (int i = 0; i < times; ++i)
                search.clickButton(ids::SearchFindButton);
            EXPECT_FALSE(search.ended()) << "the window stays open";
        });
        ASSERT_TRUE(window.chooseMenu(ids::EditSearch));
    }
};

TEST_F(SearchTest, FindsCaseInsensitivelyFromTheRowAfterTheMark)
{
    search("hello", 1);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 2) << "row 0 is shown, so the search starts at row 1";
    EXPECT_EQ(window.control(ids::ListView).selected, 2);
    EXPECT_FALSE(window.listRowScreenRect(ids::ListView, 2).empty()) << "scrolled into view";
    EXPECT_EQ(window.controlText(ids::EditBox), "[1C 02 01]say HELLO[02]");
    EXPECT_EQ(window.controlText(ids::LineLabel), "Line: 3/5");
    EXPECT_TRUE(platform.modalMessages.empty());
}

TEST_F(SearchTest, FindAgainMovesOnAndNeverWraps)
{
    search("HeLLo", 3);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 4);
    ASSERT_EQ(platform.modalMessages.size(), 1u);
    EXPECT_EQ(platform.modalMessages[0].text, "String not found.");
    EXPECT_EQ(platform.modalMessages[0].caption, "String not found");
    EXPECT_EQ(platform.modalMessages[0].icon, ui::MessageIcon::None);
    search("one", 1);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 4) << "a match above the shown row is not found";
    EXPECT_EQ(platform.modalMessages.size(), 2u);
}

TEST_F(SearchTest, EmptyNeedleCodesAndUnappliedTextBehaveAsStored)
{
    search("", 1);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 1);
    search("[1c 02", 1);
    EXPECT_EQ(window.listSelectionMark(ids::ListView), 2) << "codes are found by their hex form";
    window.typeText(ids::EditBox, "only typed here");
    search("typed", 1);
    EXPECT_EQ(platform.modalMessages.size(), 1u) << "unapplied edits are not searched";
}

} // namespace

namespace {

TEST_F(SearchTest, TheSearchWindowStandsBesideTheMainWindow)
{
    ui::PixelRect placed{};
    platform.drivers.push_back([&](ui::HeadlessWindow& search) { placed = search.screenRect(); });
    window.chooseMenu(ids::EditSearch);
    const ui::PixelRect owner = window.screenRect();
    EXPECT_EQ(placed.left, owner.right + 4) << "to the right, covering neither the list nor the edit box";
    EXPECT_EQ(placed.top, owner.top);
}

TEST_F(SearchTest, TheSearchWindowMovesOffTheRowItFound)
{
    // A screen with no room beside the main window: the search stands over it.
    ui::HeadlessWindow::screenArea() = {250, 0, 700, 1040};
    struct Restore {
        ~Restore() { ui::HeadlessWindow::screenArea() = {0, 0, 1920, 1040}; }
    } restore;
    ui::PixelRect found{}, placed{};
    platform.drivers.push_back([&](ui::HeadlessWindow& search) {
        search.typeText(ids::SearchTextEdit, "hello");
        search.clickButton(ids::SearchFindButton);
        found = window.listRowScreenRect(ids::ListView, window.listSelectionMark(ids::ListView));
        placed = search.screenRect();
    });
    window.chooseMenu(ids::EditSearch);
    const bool covers = found.bottom > placed.top && found.top < placed.bottom && found.right > placed.left && found.left < placed.right;
    EXPECT_FALSE(covers) << "the found row stays in sight";
    EXPECT_EQ(placed.top, found.bottom) << "just below it";
}

} // namespace
