// The real main window, driven only with real mouse and key events: what a
// user does, end to end, through the Qt backend.
#include "app/MainDialog.h"
#include "contract/QtDriver.h"
#include "support/TestImage.h"
#include "tools/DetailsDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class MainWindowInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QDir::currentPath();
        driver.openMain(dialog);
        // A message box nobody expected fails the test instead of hanging it.
        QObject::connect(&guard, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    if (!w->property("seenByGuard").toBool()) {
                        w->setProperty("seenByGuard", true);
                        continue;
                    }
                    ADD_FAILURE() << "unexpected message box: " << box->text().toStdString();
                    box->button(QMessageBox::Ok)->click();
                }
        });
        guard.start(500);
    }
    void TearDown() override { QDir::setCurrent(saved); }

    std::string standardRom() { return fourRowImage().writeTo(dir.file("rom.smc")).string(); }

    void open(const std::string& path)
    {
        ui::QtWindow::setNextFileChoice({path, "rom.smc"});
        driver.chooseMenu(ids::FileOpen);
        ASSERT_EQ(window().caption(), "Scrivlet 3.0 - File Loaded");
    }

    ui::QtWindow& window() { return driver.mainWindow(); }
    std::string text(int id) { return window().controlText(id); }

    TempDir dir;
    QString saved;
    QTimer guard;
    contract::QtDriver driver;
    ui::QtPlatform platform_;
    MainDialog dialog{platform_};
};

TEST_F(MainWindowInput, EditCommandsAreChosenFromTheMenuWithTheMouse)
{
    open(standardRom());
    driver.clickInto(ids::EditBox);
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_TRUE(window().isMenuItemEnabled(id));
    driver.selectAllIn(ids::EditBox);
    driver.chooseMenu(ids::EditCut);
    EXPECT_EQ(text(ids::EditBox), "") << "Cut came through the menu";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 0 (uncompressed)");
    driver.chooseMenu(ids::EditPaste);
    EXPECT_EQ(text(ids::EditBox), "Hello[02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
    driver.clickRow(ids::ListView, 1);
    EXPECT_FALSE(window().isMenuItemEnabled(ids::EditCut)) << "the list took the focus";
}

TEST_F(MainWindowInput, ADragInTheListShowsAndWritesTheRowReached)
{
    const std::string path = standardRom();
    open(path);
    driver.dragRows(ids::ListView, 0, 3);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 5");
    EXPECT_EQ(text(ids::EditBox), "AAAA[02]");
    driver.clickInto(ids::EditBox);
    driver.clearByKeys(ids::EditBox);
    driver.typeKeys(ids::EditBox, "BBBB[02]");
    driver.clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D50, onDisk.begin() + 0x51D55), bytes({gameText("BBBB"), {0x02}}));
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D12, onDisk.begin() + 0x51D18), bytes({gameText("Hello"), {0x02}}))
        << "the row the drag started on is untouched";
    EXPECT_EQ(window().listRowText(ids::ListView, 3), "BBBB");
}

TEST_F(MainWindowInput, AfterApplyTheRowStaysCurrentAndNoOtherIsHighlighted)
{
    const std::string path = standardRom();
    open(path);
    driver.clickRow(ids::ListView, 2);
    driver.clickInto(ids::EditBox);
    driver.clearByKeys(ids::EditBox);
    driver.typeKeys(ids::EditBox, "Ho[02]");
    driver.clickButton(ids::ApplyButton);
    EXPECT_EQ(window().listSelectionMark(ids::ListView), 2);
    EXPECT_EQ(driver.highlightedRow(ids::ListView), -1) << "no other row becomes highlighted";
    EXPECT_EQ(text(ids::LineLabel), "Line: 3/4");
    EXPECT_EQ(text(ids::EditBox), "Ho[02]");
    driver.pressDownKey(ids::ListView);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4") << "the keys go on from the rewritten row";
}

TEST_F(MainWindowInput, TypingPastTheLimitKeepsTheFirst4000Characters)
{
    open(standardRom());
    driver.clickInto(ids::EditBox);
    driver.selectAllIn(ids::EditBox);
    window().setControlText(ids::EditBox, std::string(3995, 'a'));
    driver.typeKeys(ids::EditBox, "bcdefghijk");
    const std::string now = text(ids::EditBox);
    EXPECT_EQ(now.size(), 4000u);
    EXPECT_EQ(now.substr(3990), "aaaaabcdef") << "nothing typed earlier is lost";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 4000 (uncompressed)");
}

TEST_F(MainWindowInput, ALoneLineFeedAndCarriageReturnAreWrittenBackAsOneByteEach)
{
    const std::string path = loneLineBreaksImage().writeTo(dir.file("rom.smc")).string();
    open(path);
    EXPECT_EQ(text(ids::EditBox), "A\nB\rC[02]");
    driver.chooseMenu(ids::OptionsPreventOverwrites); // the string outgrows its two-byte reference
    driver.clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D12, onDisk.begin() + 0x51D18),
        (std::vector<std::uint8_t>{0x71, 0x3A, 0x72, 0x3D, 0x73, 0x02}));
    EXPECT_EQ(text(ids::SizeLabel), "Size: 6");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
}

TEST_F(MainWindowInput, EnterInEachToolWindow)
{
    const std::string path = standardRom();
    open(path);
    // Search: Enter runs Find, which moves to the next row holding the string.
    driver.whileModalIsUp(ids::SearchDialogTemplate, [&] {
        driver.clickInto(ids::SearchTextEdit);
        driver.typeKeys(ids::SearchTextEdit, "aaaa");
        driver.pressEnter();
    }, [&] { driver.chooseMenu(ids::EditSearch); });
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");

    // The record editor: Enter is Apply Changes.
    driver.clickRow(ids::ListView, 0);
    driver.whileModalIsUp(ids::TptEntryDialogTemplate, [&] {
        driver.clickInto(ids::TptSpriteEdit);
        driver.typeKeys(ids::TptSpriteEdit, "0"); // 5 becomes 50
        driver.pressEnter();
    }, [&] { driver.chooseMenu(ids::ToolsEditTptEntry); });
    EXPECT_EQ(readFile(path)[0xF8B92 + 5], 50);

    // Details has no buttons: Enter closes it.
    bool closedByEnter = false;
    driver.whileModalIsUp(ids::DetailsDialogTemplate, [&] {
        QWidget* details = QApplication::activeModalWidget();
        for (int id : {DetailsDialog::RomInfoText, DetailsDialog::TextAttributes, DetailsDialog::PointerAttributes})
            EXPECT_TRUE(static_cast<QLabel*>(driver.control(id))->wordWrap()) << id << " wraps";
        driver.pressEnter();
        closedByEnter = !details->isVisible();
    }, [&] { driver.chooseMenu(ids::ToolsViewDetails); });
    EXPECT_TRUE(closedByEnter);
}

TEST_F(MainWindowInput, TheOpenDialogOffersTheFiltersAsWritten)
{
    QStringList shown;
    QTimer::singleShot(0, [&] {
        contract::waitUntil([] { return QApplication::activeModalWidget() != nullptr; });
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        auto* types = chooser->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        chooser->reject();
    });
    driver.chooseMenu(ids::FileOpen);
    EXPECT_EQ(shown, (QStringList{"SNES ROM (*.smc, *.sfc, *.fig)", "All Files (*.*)"}));
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - No File Loaded") << "a cancelled dialog opens nothing";
}

TEST_F(MainWindowInput, TheWindowHasAMinimizeBoxAndBothIconSizes)
{
    QWidget* w = window().widget();
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    const QList<QSize> sizes = w->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

} // namespace
