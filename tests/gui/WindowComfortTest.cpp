// The main window as a place to work in all day: it grows, its edit box shows
// codes in colour, and the keys people expect reach its commands.
#include "app/MainDialog.h"
#include "contract/QtDriver.h"
#include "Screenshot.h"
#include "support/TestImage.h"
#include "tools/DetailsDialog.h"

#include <QDir>
#include <QLabel>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

// Every character as wide as every other: the test a reader's eye makes.
bool isFixedPitch(const QFont& font)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance('i') == metrics.horizontalAdvance('W')
        && metrics.horizontalAdvance('[') == metrics.horizontalAdvance('0');
}

class WindowComfort : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QDir::currentPath();
        driver.openMain(dialog);
        TestImage image(0x100000);
        image.put(0x51D12, bytes({gameText("Hello"), {0x02}}));
        image.put(0x51D20, bytes({{0x1C, 0x05, 0x07}, gameText("Bye"), {0x02}}));
        image.setTptRecord(0, 0xC51B12, 1, 1);
        image.setTptRecord(1, 0xC51B20, 1, 1);
        path = image.writeTo(dir.file("rom.smc")).string();
    }
    void TearDown() override { QDir::setCurrent(saved); }

    QWidget* main() { return driver.mainWindow().widget(); }
    QWidget* control(int id) { return driver.mainWindow().control(id); }
    void open()
    {
        ui::QtWindow::setNextFileChoice({path, "rom.smc"});
        QTest::keyClick(main(), Qt::Key_O, Qt::ControlModifier);
        QApplication::processEvents();
    }
    void screenshot(QWidget* w, const char* name) { saveScreenshot(w, name); }

    // The format the highlighter gave the character at `position` of the first block.
    QTextCharFormat formatAt(int position)
    {
        auto* edit = static_cast<QPlainTextEdit*>(control(ids::EditBox));
        const QTextBlock block = edit->document()->firstBlock();
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (position >= range.start && position < range.start + range.length)
                return range.format;
        return {};
    }

    TempDir dir;
    QString saved;
    std::string path;
    contract::QtDriver driver;
    ui::QtPlatform platform;
    MainDialog dialog{platform};
};

TEST_F(WindowComfort, TheWindowGrowsAndItsControlsFollow)
{
    open();
    const QRect list = control(ids::ListView)->geometry();
    const QRect edit = control(ids::EditBox)->geometry();
    const QRect apply = control(ids::ApplyButton)->geometry();
    const QRect line = control(ids::LineLabel)->geometry();
    const QRect sizeLine = control(ids::CurrentSizeLabel)->geometry();
    const QSize start = main()->size();
    EXPECT_EQ(main()->minimumSize(), start) << "the template's size is the smallest";
    screenshot(main(), "main-window-start-size");

    main()->resize(start + QSize(300, 240));
    QApplication::processEvents();
    EXPECT_EQ(control(ids::ListView)->geometry(), QRect(list.topLeft(), list.size() + QSize(300, 160))) << "most of the height";
    EXPECT_EQ(control(ids::LineLabel)->geometry(), line.translated(0, 160)) << "the labels stay below the list";
    EXPECT_EQ(control(ids::EditBox)->geometry(), QRect(edit.topLeft() + QPoint(0, 160), edit.size() + QSize(300, 80)));
    EXPECT_EQ(control(ids::ApplyButton)->geometry(), apply.translated(300, 240)) << "Apply stays at the corner";
    EXPECT_EQ(control(ids::CurrentSizeLabel)->geometry(), sizeLine.translated(0, 240));
    EXPECT_EQ(static_cast<QTreeWidget*>(control(ids::ListView))->columnWidth(0), 439 + 300);

    main()->resize(start - QSize(100, 100));
    QApplication::processEvents();
    EXPECT_EQ(main()->size(), start) << "never smaller than the template";
    EXPECT_EQ(control(ids::ApplyButton)->geometry(), apply);

    EXPECT_TRUE(main()->windowFlags() & Qt::WindowMaximizeButtonHint);
    main()->showMaximized();
    QApplication::processEvents();
    EXPECT_GT(control(ids::ListView)->height(), list.height());
    screenshot(main(), "main-window-maximized");
}

TEST_F(WindowComfort, TheKeysPeopleExpectReachTheCommands)
{
    open();
    EXPECT_EQ(driver.mainWindow().caption(), "Scrivlet 3.0 - File Loaded") << "Ctrl+O opened";
    EXPECT_EQ(QApplication::focusWidget(), control(ids::ListView)) << "after Open the list has the keyboard";
    QTest::keyClick(control(ids::ListView), Qt::Key_Down);
    EXPECT_EQ(driver.mainWindow().controlText(ids::LineLabel), "Line: 2/2") << "arrow keys work at once";

    // Ctrl+Enter applies from inside the edit box, without a line break.
    driver.clickInto(ids::EditBox);
    driver.clearByKeys(ids::EditBox);
    driver.typeKeys(ids::EditBox, "[1C 05 07]Bay[02");
    const ui::MessageRecord refused = driver.answerMessageBox(
        [&] { QTest::keyClick(control(ids::EditBox), Qt::Key_Return, Qt::ControlModifier); });
    EXPECT_EQ(refused.caption, "Pre-Write Error") << "Ctrl+Enter ran Apply Changes";
    EXPECT_EQ(driver.mainWindow().controlText(ids::EditBox), "[1C 05 07]Bay[02") << "and typed no line break";
    driver.typeKeys(ids::EditBox, "]");
    QTest::keyClick(control(ids::EditBox), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(readFile(path)[0x51D20 + 4], gameText("a")[0]) << "Ctrl+Enter applied";
    EXPECT_EQ(driver.mainWindow().controlText(ids::EditBox), "[1C 05 07]Bay[02]");

    // Ctrl+F opens Search, where F3 finds again; Ctrl+W closes.
    driver.clickRow(ids::ListView, 0);
    driver.whileModalIsUp(ids::SearchDialogTemplate, [&] {
        driver.clickInto(ids::SearchTextEdit);
        driver.typeKeys(ids::SearchTextEdit, "bay");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    }, [&] { QTest::keyClick(main(), Qt::Key_F, Qt::ControlModifier); });
    EXPECT_EQ(driver.mainWindow().controlText(ids::LineLabel), "Line: 2/2") << "F3 ran Find";
    QTest::keyClick(main(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(driver.mainWindow().caption(), "Scrivlet 3.0 - No File Loaded");
    for (const auto& [id, keys] : std::vector<std::pair<int, const char*>>{{ids::FileOpen, "Ctrl+O"}, {ids::FileClose, "Ctrl+W"},
             {ids::EditSearch, "Ctrl+F"}, {ids::EditUndo, "Ctrl+Z"}, {ids::EditCut, "Ctrl+X"}, {ids::EditCopy, "Ctrl+C"},
             {ids::EditPaste, "Ctrl+V"}})
        EXPECT_EQ(main()->findChild<QAction*>(QString("command-%1").arg(id))->shortcut(), QKeySequence(keys))
            << keys << " is shown in the menu";
}

TEST_F(WindowComfort, BracketGroupsAreColouredAndAnErrorIsMarked)
{
    open();
    ui::QtWindow& window = driver.mainWindow();
    const std::string good = "Hi[1C 05 07]there[02]";
    window.setControlText(ids::EditBox, good);
    const QTextCharFormat group = formatAt(4);
    EXPECT_NE(group.foreground().color(), QTextCharFormat().foreground().color()) << "a group has a colour of its own";
    EXPECT_EQ(formatAt(0).background().style(), Qt::NoBrush) << "plain text is left alone";
    EXPECT_EQ(window.controlText(ids::EditBox), good) << "the text itself is unchanged";

    driver.clickInto(ids::EditBox);
    driver.typeKeys(ids::EditBox, " [1C 05");
    const std::string typed = window.controlText(ids::EditBox);
    EXPECT_EQ(typed, good + " [1C 05");
    EXPECT_EQ(window.controlText(ids::CurrentSizeLabel), "Current Size: Unknown");
    const int open = static_cast<int>(good.size()) + 1;
    EXPECT_EQ(formatAt(open).background().color(), QColor(0xFF, 0xD8, 0xD8)) << "the group that never closes is marked";
    EXPECT_EQ(formatAt(open + 4).background().color(), QColor(0xFF, 0xD8, 0xD8));
    EXPECT_NE(formatAt(4).background().color(), QColor(0xFF, 0xD8, 0xD8)) << "a good group is not";
    screenshot(main(), "main-window-bracket-error");
    driver.typeKeys(ids::EditBox, "]");
    EXPECT_EQ(formatAt(open).background().style(), Qt::NoBrush) << "closing it clears the mark as the user types";
}

TEST_F(WindowComfort, DetailsTextsLineUpInColumnsAndRawDataIsFixedPitch)
{
    open();
    bool checked = false;
    driver.whileModalIsUp(ids::DetailsDialogTemplate, [&] {
        QWidget* details = QApplication::activeModalWidget();
        auto* attributes = static_cast<QLabel*>(driver.control(DetailsDialog::TextAttributes));
        EXPECT_EQ(attributes->textFormat(), Qt::RichText);
        EXPECT_NE(attributes->text().indexOf("<table"), -1) << "names and values in two columns";
        driver.selectTab(ids::DetailsTabControl, 1);
        EXPECT_TRUE(isFixedPitch(driver.control(DetailsDialog::RawDataEdit)->font()));
        screenshot(details, "details-raw-data");
        driver.selectTab(ids::DetailsTabControl, 0);
        screenshot(details, "details-misc-info");
        checked = true;
    }, [&] { driver.chooseMenu(ids::ToolsViewDetails); });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(isFixedPitch(control(ids::EditBox)->font()));
}

} // namespace
