#include "WindowFixture.h"
#include "tools/DetailsDialog.h"

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class DetailsTest : public MainDialogTest {
protected:
    // Opens the details window and hands it to `look` while it is up.
    void details(std::function<void(ui::HeadlessWindow&)> look)
    {
        bool seen = false;
        platform.drivers.push_back([&](ui::HeadlessWindow& w) {
            seen = true;
            look(w);
        });
        window.chooseMenu(ids::ToolsViewDetails);
        EXPECT_TRUE(seen) << "the details window did not open";
    }
};

TEST_F(DetailsTest, AChangeOfTabReportedWhileTheTabsAreMadeIsSafe)
{
    open(write(standardImage()));
    ui::HeadlessWindow::tabInsertNotifies() = true;
    struct Restore {
        ~Restore() { ui::HeadlessWindow::tabInsertNotifies() = false; }
    } restore;
    details([](ui::HeadlessWindow& w) {
        EXPECT_EQ(w.tabCurrent(ids::DetailsTabControl), 0);
        EXPECT_TRUE(w.isControlVisible(DetailsDialog::TextAttributes)) << "the first page, shown once it exists";
    });
}

TEST_F(DetailsTest, PointerRowShowsItsRecordAndTheTabsShowOnlyTheirControls)
{
    open(write(standardImage()));
    window.clickRow(ids::ListView, 2);
    details([](ui::HeadlessWindow& w) {
        EXPECT_EQ(w.caption(), "Details");
        EXPECT_EQ(w.control(ids::DetailsTabControl).rows, (std::vector<std::string>{"Misc. Info", "Raw Data", "ROM Info"}));
        EXPECT_EQ(w.tabCurrent(ids::DetailsTabControl), 0);
        EXPECT_EQ(w.controlText(DetailsDialog::TextAttributes),
            "Text Attributes:\n\nLine:                  3/4\nHex Address:     $51D40\nSNES Address:  $C51B40\n"
            "Size:                   3\n");
        EXPECT_EQ(w.controlText(DetailsDialog::PointerAttributes),
            "Text Pointer Table Attributes:\n\nLocation:        $F8BB4\nSprite #:          9\nMovement #:  0\n");
        for (int id : {3, 4, 5, 6, 7})
            EXPECT_TRUE(w.isControlVisible(id)) << id;
        for (int id : {0, 1, 2})
            EXPECT_FALSE(w.isControlVisible(id)) << id;
        EXPECT_EQ(w.control(DetailsDialog::ScreenPicture).bitmap, 149);

        w.selectTab(ids::DetailsTabControl, 1);
        EXPECT_EQ(w.controlText(DetailsDialog::RawDataEdit), "78 95 02 ");
        EXPECT_TRUE(w.isControlVisible(1));
        EXPECT_FALSE(w.isControlVisible(4));

        w.selectTab(ids::DetailsTabControl, 2);
        EXPECT_EQ(w.controlText(DetailsDialog::RomInfoText),
            "ROM Info:\n\nFile Name:    rom.smc\nROM Type:  EarthBound ROM\nFile size:       1048576 bytes");
        EXPECT_TRUE(w.isControlVisible(0));
        EXPECT_TRUE(w.isControlVisible(2));
        EXPECT_FALSE(w.isControlVisible(1));
    });
}

TEST_F(DetailsTest, RawRowsAreIndeterminateAndRightClickOpensDetails)
{
    TestImage image = standardImage();
    image.setTitle("EARTH BOUND    ");
    std::vector<std::uint8_t> longBlock(3000, 0x71);
    longBlock.push_back(0x02);
    image.put(0x51D12, longBlock);
    open(write(image));
    window.chooseMenu(ids::OptionsRawListing);
    bool seen = false;
    platform.drivers.push_back([&](ui::HeadlessWindow& w) {
        seen = true;
        EXPECT_EQ(w.controlText(DetailsDialog::PointerAttributes), "Text Pointer Table Attributes:\n\nIndeterminate");
        w.selectTab(ids::DetailsTabControl, 1);
        EXPECT_EQ(w.controlText(DetailsDialog::RawDataEdit).size(), 3001u * 3) << "every byte of a long block";
        w.selectTab(ids::DetailsTabControl, 2);
        EXPECT_NE(w.controlText(DetailsDialog::RomInfoText).find("ROM Type:  EarthBound ROM (bad)"), std::string::npos);
    });
    window.clickRow(ids::ListView, 0, true);
    EXPECT_TRUE(seen);
    EXPECT_EQ(platform.modalTemplatesRun, std::vector<int>{ids::DetailsDialogTemplate});
}

TEST_F(DetailsTest, NoRowOpensNothing)
{
    open(write(TestImage(0x100000)));
    window.chooseMenu(ids::ToolsViewDetails);
    window.clickRow(ids::ListView, 0, true);
    EXPECT_TRUE(platform.modalTemplatesRun.empty());
}

} // namespace
