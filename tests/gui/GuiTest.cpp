// The real window on Qt's offscreen platform, driven with real events.
#include "text/Utf8.h"
#include "app/CommandLine.h"
#include "app/MainDialog.h"
#include "cli/SampleImage.h"
#include "resources/ResourceIds.h"
#include "Screenshot.h"
#include "support/TestImage.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtSettings.h"
#include "ui/qt/QtWindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QUrl>
#include <QMimeData>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

// Presses OK on the next message box and keeps its words; a box that never
// came leaves `seen` false.
struct MessageCloser {
    bool seen = false;
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    void arm()
    {
        QTimer::singleShot(0, [this] { poll(); });
    }
    void poll()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                seen = true;
                text = box->text();
                caption = box->windowTitle();
                icon = box->icon();
                box->button(QMessageBox::Ok)->click();
                return;
            }
        QTimer::singleShot(10, [this] { poll(); });
    }
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QDir::currentPath();
        TestImage image(0);
        image.data() = buildSampleImage(false);
        // A dictionary string holding the display character 0xE0 (game byte 0x10).
        rom = image.writeTo(dir.file("sample.smc")).string();
        window = std::make_unique<ui::QtWindow>(*ui::findDialogTemplate(ids::MainDialogTemplate), dialog, nullptr);
        dialog.attach(*window);
        dialog.onInitDialog();
        window->widget()->show();
    }
    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(saved);
    }

    void openSample()
    {
        ui::QtWindow::setNextFileChoice({rom, "sample.smc"});
        window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::FileOpen))->trigger();
    }

    ui::ListViewWidget* list() const { return static_cast<ui::ListViewWidget*>(window->control(ids::ListView)); }
    QPlainTextEdit* edit() const { return static_cast<QPlainTextEdit*>(window->control(ids::EditBox)); }
    QString label(int id) const { return static_cast<QLabel*>(window->control(id))->text(); }

public:
    void screenshotOf(QWidget* w, const char* name) { screenshot(w, name); }

protected:
    void screenshot(QWidget* w, const char* name) { saveScreenshot(w, name); }

    TempDir dir;
    QString saved;
    std::string rom;
    ui::QtPlatform platform;
    MainDialog dialog{platform};
    std::unique_ptr<ui::QtWindow> window;
};

TEST_F(GuiTest, MainWindowFollowsItsTemplate)
{
    EXPECT_EQ(window->widget()->windowTitle(), "Scrivlet 3.0 - No File Loaded");
    QWidget* content = window->control(ids::ListView)->parentWidget();
    EXPECT_EQ(content->width(), 480) << "320 dialog units at 1.5 px";
    EXPECT_EQ(content->height(), 390) << "240 dialog units at 1.625 px: 230, and a strip for the two-line note";
    const QRect apply = window->control(ids::ApplyButton)->geometry();
    EXPECT_EQ(apply, QRect(362, 338, 108, 26));
    EXPECT_EQ(static_cast<QPushButton*>(window->control(ids::ApplyButton))->text(), "&Apply Changes");
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_EQ(list()->columnWidth(0), 439);
    EXPECT_TRUE(list()->isHeaderHidden());
    const auto* open = window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::OptionsPointerListing));
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->isChecked());
    EXPECT_FALSE(open->isEnabled());
    screenshot(window->widget(), "main-window-no-file");
}

TEST_F(GuiTest, OpenClickKeyTypeAndApplyActOnTheRowReached)
{
    openSample();
    EXPECT_EQ(window->widget()->windowTitle(), "Scrivlet 3.0 - File Loaded");
    ASSERT_GT(list()->topLevelItemCount(), 1000);
    EXPECT_TRUE(label(ids::LineLabel).startsWith("Line: 1/"));

    const QRect second = list()->visualItemRect(list()->topLevelItem(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 1);
    EXPECT_TRUE(label(ids::LineLabel).startsWith("Line: 2/"));

    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(window->listSelectionMark(ids::ListView), 2);
    EXPECT_TRUE(label(ids::LineLabel).startsWith("Line: 3/")) << "the row the key reached is shown";
    const std::string shown = window->controlText(ids::EditBox);

    edit()->setFocus();
    QTest::keyClick(edit(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(edit(), "x");
    EXPECT_EQ(label(ids::CurrentSizeLabel).toStdString().find("Current Size: "), 0u);
    EXPECT_EQ(window->controlText(ids::EditBox), shown + "x");

    MessageCloser closer;
    closer.arm();
    QTest::mouseClick(window->control(ids::ApplyButton), Qt::LeftButton);
    EXPECT_TRUE(closer.seen) << "a text with a dictionary string outgrows its block";
    EXPECT_EQ(closer.caption, "Pre-Write Error");
    EXPECT_EQ(closer.icon, QMessageBox::Warning);
    screenshot(window->widget(), "main-window-sample");
}

TEST_F(GuiTest, EveryCharacterSurvivesTheEditBox)
{
    // Line breaks cross as CR LF pairs; every other character as itself.
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            appendUtf8(all, static_cast<char32_t>(c));
    all += "\r\nend";
    openSample();
    window->setControlText(ids::EditBox, all);
    EXPECT_EQ(window->controlText(ids::EditBox), all);
    EXPECT_EQ(ui::QtWindow::fromDisplay(ui::QtWindow::toDisplay("\u00E0" "A\r\nB\rC\nD")), "\u00E0" "A\r\nB\rC\nD");
}

// Runs `open` and, while the dialog of template `id` is up, takes its screenshot and closes it.
bool closesModal(int id, const char* shot, const std::function<void()>& open, GuiTest* test)
{
    bool seen = false;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QString("dialog-%1").arg(id) && w->isVisible()) {
                seen = true;
                test->screenshotOf(w, shot);
                static_cast<QDialog*>(w)->done(2);
            }
    });
    open();
    return seen;
}

TEST_F(GuiTest, SearchAboutAndGizmoOpenFromTheirCommands)
{
    openSample();
    auto trigger = [this](int command) {
        return [this, command] { window->widget()->findChild<QAction*>(QString("command-%1").arg(command))->trigger(); };
    };
    EXPECT_TRUE(closesModal(ids::SearchDialogTemplate, "search-window", trigger(ids::EditSearch), this));
    EXPECT_TRUE(closesModal(ids::AboutDialogTemplate, "about-box", trigger(ids::HelpAbout), this));
    EXPECT_TRUE(closesModal(ids::GizmoDialogTemplate, "gizmo-dialog", trigger(ids::OptionsUseCompression), this));
}

TEST_F(GuiTest, ALabelsAmpersandMarksTheKeyOfTheControlAfterItAndIsNotShown)
{
    openSample();
    bool checked = false;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QString("dialog-%1").arg(ids::CodeReferenceDialogTemplate) && w->isVisible()) {
                for (QLabel* label : w->findChildren<QLabel*>())
                    if (label->text() == "&Filter:") {
                        checked = true;
                        // With a buddy the label draws "Filter:" with F underlined, and Alt+F goes there.
                        ASSERT_NE(label->buddy(), nullptr) << "shown as \"&Filter:\" without one";
                        EXPECT_EQ(label->buddy()->objectName(), QString("control-%1").arg(ids::CodeFilterEdit));
                    }
                static_cast<QDialog*>(w)->done(2);
            }
    });
    window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::ToolsCodeReference))->trigger();
    EXPECT_TRUE(checked);
}

TEST_F(GuiTest, ADictionaryByteE0SurvivesShowAndApply)
{
    // Slot 1 holds game byte 0x10, shown as the character 0xE0; applying the
    // block unchanged writes that byte back as it was.
    TestImage image(0x100000);
    image.put(0x8BE3E, {0x10, 0x71, 0x00});
    image.put(0x51D12, {0x15, 0x01, 0x50, 0x50, 0x02});
    image.setTptRecord(0, 0xC51B12, 1, 1);
    const std::string path = image.writeTo(dir.file("e0.smc")).string();
    ui::QtWindow::setNextFileChoice({path, "e0.smc"});
    window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::FileOpen))->trigger();
    EXPECT_EQ(window->controlText(ids::EditBox), "\u00E0" "A  [02]");
    QTest::mouseClick(window->control(ids::ApplyButton), Qt::LeftButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x51D12, onDisk.begin() + 0x51D17),
        (std::vector<std::uint8_t>{0x10, 0x71, 0x50, 0x50, 0x02}));
    EXPECT_EQ(window->controlText(ids::EditBox), "[10 71]  [02]") << "read back: 0x10 is a code with one argument";
}

TEST_F(GuiTest, ToolWindowsOpenAsRealModalDialogs)
{
    openSample();
    EXPECT_TRUE(closesModal(ids::TptEntryDialogTemplate, "tpt-entry-editor", [this] { dialog.editTptEntry(); }, this));
    EXPECT_TRUE(closesModal(ids::DetailsDialogTemplate, "details-window", [this] { dialog.showDetails(); }, this));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(QtSettingsStore, KeepsWhatWasSavedForTheNextRun)
{
    scrivlet::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.file("scrivlet.ini").string());
    {
        scrivlet::ui::QtSettings store(file);
        EXPECT_EQ(store.problem(), "");
        EXPECT_FALSE(store.value("recent/1").has_value());
        store.setValue("recent/1", "/roms/caf\u00E9.smc");
        store.setValue("recent/2", "/roms/b.smc");
        store.remove("recent/2");
        EXPECT_TRUE(store.save());
    }
    scrivlet::ui::QtSettings next(file);
    EXPECT_EQ(next.value("recent/1"), std::optional<std::string>("/roms/caf\u00E9.smc")) << "UTF-8 kept";
    EXPECT_FALSE(next.value("recent/2").has_value());
    // A store in a folder that cannot be made is a note, not a failure.
    std::ofstream(dir.file("x")) << "a file where the store's folder would be";
    scrivlet::ui::QtSettings nowhere(QString::fromStdString(dir.file("x").string()) + "/scrivlet.ini");
    nowhere.setValue("recent/1", "a");
    EXPECT_FALSE(nowhere.save());
    EXPECT_NE(nowhere.problem().find("could not be written"), std::string::npos) << nowhere.problem();
}

TEST_F(GuiTest, TheWindowGoesWhereItIsPlacedOnlyOnAScreen)
{
    ASSERT_TRUE(window->place({{40, 50, 840, 650}, false}));
    const ui::WindowPlacement now = window->placement();
    EXPECT_EQ(now.normal.left, 40);
    EXPECT_EQ(now.normal.right - now.normal.left, 800);
    EXPECT_FALSE(now.maximized);
    EXPECT_FALSE(window->place({{40000, 50, 40800, 650}, false})) << "no screen shows it";
    EXPECT_EQ(window->placement().normal.left, 40) << "left where it was";
}

TEST_F(GuiTest, ARomOnTheCommandLineOrDroppedOnTheWindowOpens)
{
    // As main() hands the command line over.
    MainDialog started{platform};
    started.startupFiles = filesFromCommandLine({"scrivlet", rom}, false);
    ui::QtWindow shown(*ui::findDialogTemplate(ids::MainDialogTemplate), started, nullptr);
    started.attach(shown);
    started.onInitDialog();
    EXPECT_EQ(shown.caption(), "Scrivlet 3.0 - File Loaded");
    EXPECT_EQ(started.romFileName, "sample.smc");

    // A file manager's drop on the list: the drag and the drop as Qt delivers them.
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(rom))});
    QWidget* over = list()->viewport();
    // Qt itself offers each to the widget under the mouse and, refused or disabled, to its parents.
    QDragEnterEvent enter(over->rect().center(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(over, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the window takes files";
    QDropEvent drop(over->rect().center(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(over, &drop);
    delete data;
    EXPECT_EQ(window->caption(), "Scrivlet 3.0 - File Loaded") << "the drop opened the ROM";
    EXPECT_EQ(dialog.romFileName, "sample.smc");
}

TEST_F(GuiTest, TheFileMenuListsTheROMsOpenedLast)
{
    openSample();
    const std::string other = dir.file("other.smc").string();
    std::filesystem::copy_file(rom, other);
    ui::QtWindow::setNextFileChoice({other, "other.smc"});
    window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::FileOpen))->trigger();
    QAction* first = window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::FileRecent1));
    QAction* fourth = window->widget()->findChild<QAction*>(QString("command-%1").arg(ids::FileRecent1 + 3));
    ASSERT_TRUE(first && fourth);
    EXPECT_EQ(first->text().toStdString(), "&1 " + other);
    EXPECT_FALSE(fourth->isEnabled()) << "a place with no file is gray";
    // A picture of the menu as it drops down, for a person to look at.
    QMenu* file = window->widget()->findChild<QMenuBar*>()->actions().front()->menu();
    file->popup(window->widget()->mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    screenshot(file, "file-menu-recent");
    file->hide();
    first->trigger();
    EXPECT_EQ(dialog.romFileName, "other.smc");
}
