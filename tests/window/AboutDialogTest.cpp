#include "WindowFixture.h"
#include "app/AboutDialog.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST_F(MainDialogTest, AboutBoxIsPossessedFirstThenTauntsAndMoves)
{
    for (int opening = 0; opening < 2; ++opening) {
        platform.drivers.push_back([](ui::HeadlessWindow& about) {
            EXPECT_EQ(about.caption(), "About");
            about.clickControl(ids::AboutPicture);
            EXPECT_EQ(about.caption(), "Quorbel has possessed this About box!");
            for (int i = 0; i < 20; ++i) {
                about.clickControl(ids::AboutPicture);
                const ui::PixelRect r = about.screenRect();
                EXPECT_GE(r.left, 0);
                EXPECT_LT(r.left, 200);
                EXPECT_GE(r.top, 0);
                EXPECT_LT(r.top, 200);
                EXPECT_EQ(r.right - r.left, 372) << "the size stays";
                EXPECT_NE(about.caption(), "Quorbel has possessed this About box!");
            }
            about.clickButton(ui::IdOk);
            EXPECT_TRUE(about.ended());
        });
        window.chooseMenu(ids::HelpAbout);
    }
    EXPECT_EQ(platform.modalTemplatesRun, (std::vector<int>{ids::AboutDialogTemplate, ids::AboutDialogTemplate}));
}

TEST(AboutDialogTaunts, FollowTheRandomNumbersInOrder)
{
    std::vector<int> draws = {17, 42, 311, 3, 150, 1999};  // 311 % 10 = 1
    std::size_t next = 0;
    AboutDialog about([&] { return draws[next++]; });
    ui::HeadlessPlatform platform;
    platform.drivers.push_back([&](ui::HeadlessWindow& w) {
        w.clickControl(ids::AboutPicture); // possession line; top 17, left 42
        EXPECT_EQ(w.screenRect().top, 17);
        EXPECT_EQ(w.screenRect().left, 42);
        w.clickControl(ids::AboutPicture); // taunt 1, top 3, left 150
        EXPECT_EQ(w.caption(), "Your soul is mine!");
        EXPECT_EQ(w.screenRect().left, 150);
        EXPECT_EQ(about.clickCount(), 1);
    });
    ui::HeadlessWindow owner(*ui::findDialogTemplate(ids::MainDialogTemplate), about);
    platform.runModal(ids::AboutDialogTemplate, about, owner);
}

TEST_F(MainDialogTest, GizmoDialogChangesNothing)
{
    open(write(standardImage()));
    platform.drivers.push_back([](ui::HeadlessWindow& gizmo) {
        EXPECT_EQ(gizmo.caption(), "Happy-Land is joy full place!");
        gizmo.clickButton(1059);
        gizmo.typeText(1060, "monkey");
        gizmo.clickButton(ui::IdOk);
        EXPECT_TRUE(gizmo.ended());
    });
    window.chooseMenu(ids::OptionsUseCompression);
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsUseCompression));
    EXPECT_EQ(window.controlText(ids::EditBox), "Hello[02]");
}

} // namespace
