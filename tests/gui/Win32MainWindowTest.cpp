// The real main window on the platform's own dialogs, driven only with real
// mouse and key input: what a user does on Windows, end to end. Every window
// is photographed on the way (SCRIVLET_SCREENSHOT_DIR).
#include "Win32Screenshot.h"
#include "app/MainDialog.h"
#include "contract/Win32Driver.h"
#include "support/TestImage.h"
#include "ui/HelpTopicsDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class Win32MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = std::filesystem::current_path();
        driver.openMain(dialog);
        // A message box nobody expected fails the test instead of hanging it.
        guard = std::thread([this, thread = GetCurrentThreadId()] {
            int seenFor = 0;
            while (!stopGuard) {
                Sleep(100);
                const HWND box = contract::Win32Driver::messageBoxOf(thread);
                seenFor = box ? seenFor + 1 : 0;
                if (seenFor > 30) { // three seconds: nobody is answering it
                    wchar_t words[512] = {};
                    GetDlgItemTextW(box, 0xFFFF, words, 512);
                    unexpected += ui::win32::toLatin1(words) + "\n";
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    seenFor = 0;
                }
            }
        });
    }
    void TearDown() override
    {
        stopGuard = true;
        guard.join();
        EXPECT_EQ(unexpected, "") << "a message box came up that no step expected";
        std::filesystem::current_path(saved);
    }

    std::string standardRom() { return fourRowImage().writeTo(dir.file("rom.smc")).string(); }

    void open(const std::string& path)
    {
        ui::Win32Window::setNextFileChoice({path, "rom.smc"});
        driver.chooseMenu(ids::FileOpen);
        ASSERT_EQ(window().caption(), "Scrivlet 3.0 - File Loaded");
    }

    // Selects the whole text and deletes it with the keyboard.
    void clearByKeys(int editId)
    {
        driver.selectAllIn(editId);
        driver.pressKey(editId, VK_DELETE);
    }

    ui::Win32Window& window() { return driver.mainWindow(); }
    std::string text(int id) { return window().controlText(id); }
    HWND active() { return driver.topModal()->handle(); }

    TempDir dir;
    std::filesystem::path saved;
    contract::Win32Driver driver;
    ui::Win32Platform platform;
    MainDialog dialog{platform};
    std::thread guard;
    std::atomic<bool> stopGuard = false;
    std::string unexpected; // written by the guard only while the test waits on a box
};

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t size)
{
    return {data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + size)};
}

TEST_F(Win32MainWindow, EditCommandsAreChosenFromTheMenuWithTheMouse)
{
    open(standardRom());
    saveScreenshot(window().handle(), "win32-main-window");
    driver.clickInto(ids::EditBox);
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        EXPECT_TRUE(window().isMenuItemEnabled(id));
    driver.selectAllIn(ids::EditBox);
    driver.chooseMenu(ids::EditCut);
    EXPECT_EQ(text(ids::EditBox), "") << "Cut came through the menu";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 0 (uncompressed)");
    driver.chooseMenu(ids::EditPaste);
    EXPECT_EQ(text(ids::EditBox), "Hello[02]");
    driver.clickRow(ids::ListView, 1);
    EXPECT_FALSE(window().isMenuItemEnabled(ids::EditCut)) << "the list took the focus";
}

TEST_F(Win32MainWindow, ADragInTheListShowsAndWritesTheRowReached)
{
    const std::string path = standardRom();
    open(path);
    driver.dragRows(ids::ListView, 0, 3);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");
    EXPECT_EQ(text(ids::EditBox), "AAAA[02]");
    driver.clickInto(ids::EditBox);
    clearByKeys(ids::EditBox);
    EXPECT_EQ(text(ids::EditBox), "");
    driver.typeKeys(ids::EditBox, "BBBB[02]");
    driver.clickButton(ids::ApplyButton);
    const auto onDisk = readFile(path);
    EXPECT_EQ(slice(onDisk, 0x51D50, 5), bytes({gameText("BBBB"), {0x02}}));
    EXPECT_EQ(slice(onDisk, 0x51D12, 6), bytes({gameText("Hello"), {0x02}})) << "the row the drag started on is untouched";
    EXPECT_EQ(window().listRowText(ids::ListView, 3), "BBBB");
    EXPECT_EQ(window().listSelectionMark(ids::ListView), 3);
    EXPECT_EQ(driver.highlightedRow(ids::ListView), -1) << "no other row becomes highlighted";
    driver.clickRow(ids::ListView, 2);
    driver.pressDownKey(ids::ListView);
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4") << "the keys go on from the row clicked";
}

TEST_F(Win32MainWindow, TypingPastTheLimitKeepsTheFirst4000Characters)
{
    open(standardRom());
    driver.clickInto(ids::EditBox);
    window().setControlText(ids::EditBox, std::string(3995, 'a'));
    driver.typeKeys(ids::EditBox, "bcdefghijk");
    const std::string now = text(ids::EditBox);
    EXPECT_EQ(now.size(), 4000u);
    EXPECT_EQ(now.substr(3990), "aaaaabcdef") << "nothing typed earlier is lost";
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 4000 (uncompressed)");
}

TEST_F(Win32MainWindow, ALoneLineFeedAndCarriageReturnAreWrittenBackAsOneByteEach)
{
    const std::string path = loneLineBreaksImage().writeTo(dir.file("rom.smc")).string();
    open(path);
    EXPECT_EQ(text(ids::EditBox), "A\nB\rC[02]");
    driver.chooseMenu(ids::OptionsPreventOverwrites); // the string outgrows its two-byte reference
    driver.clickButton(ids::ApplyButton);
    EXPECT_EQ(slice(readFile(path), 0x51D12, 6), (std::vector<std::uint8_t>{0x71, 0x3A, 0x72, 0x3D, 0x73, 0x02}));
    EXPECT_EQ(text(ids::SizeLabel), "Size: 6");
}

TEST_F(Win32MainWindow, EnterInEachToolWindow)
{
    const std::string path = standardRom();
    open(path);
    // Search: Enter runs Find, which moves to the next row holding the string.
    driver.whileModalIsUp(ids::SearchDialogTemplate, [&] {
        driver.clickInto(ids::SearchTextEdit);
        driver.typeKeys(ids::SearchTextEdit, "aaaa");
        saveScreenshot(active(), "win32-search");
        driver.pressEnter();
    }, [&] { driver.chooseMenu(ids::EditSearch); });
    EXPECT_EQ(text(ids::LineLabel), "Line: 4/4");

    // The record editor: Enter is Apply Changes.
    driver.clickRow(ids::ListView, 0);
    driver.whileModalIsUp(ids::TptEntryDialogTemplate, [&] {
        driver.clickInto(ids::TptSpriteEdit);
        driver.typeKeys(ids::TptSpriteEdit, "0"); // 5 becomes 50
        saveScreenshot(active(), "win32-tpt-entry-editor");
        driver.pressEnter();
    }, [&] { driver.chooseMenu(ids::ToolsEditTptEntry); });
    EXPECT_EQ(readFile(path)[0xF8B92 + 5], 50);

    // Details has no buttons: Enter closes it, from either page.
    bool closedByEnter = false;
    driver.whileModalIsUp(ids::DetailsDialogTemplate, [&] {
        const HWND details = active();
        saveScreenshot(details, "win32-details-text");
        driver.selectTab(ids::DetailsTabControl, 1);
        saveScreenshot(details, "win32-details-raw-data");
        driver.selectTab(ids::DetailsTabControl, 2);
        saveScreenshot(details, "win32-details-rom");
        driver.pressEnter();
        closedByEnter = !IsWindowVisible(details) || ui::Win32Window::owning(details)->ended();
    }, [&] { driver.chooseMenu(ids::ToolsViewDetails); });
    EXPECT_TRUE(closedByEnter);
}

TEST_F(Win32MainWindow, TheOpenDialogOffersTheFiltersAsWritten)
{
    std::vector<std::string> shown;
    std::thread hand([&] {
        // The platform's own open-file dialog, with its file-type box (cmb1).
        HWND chooser = nullptr;
        for (int tries = 0; tries < 100 && !chooser; ++tries, Sleep(50))
            chooser = FindWindowW(L"#32770", L"Open");
        if (!chooser)
            return;
        Sleep(300);
        HWND types = GetDlgItem(chooser, 0x470);
        const int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            shown.push_back(ui::win32::toLatin1(item));
        }
        saveScreenshot(chooser, "win32-open-file-dialog");
        PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    });
    driver.chooseMenu(ids::FileOpen);
    hand.join();
    EXPECT_EQ(shown, (std::vector<std::string>{"SNES ROM (*.smc, *.sfc, *.fig)", "All Files (*.*)"}));
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - No File Loaded") << "a cancelled dialog opens nothing";
}

TEST_F(Win32MainWindow, TheWindowHasBothIconsAMinimizeBoxAndGrows)
{
    const HWND main = window().handle();
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_STYLE) & WS_MINIMIZEBOX);
    for (const auto& [which, size] : {std::pair{ICON_BIG, GetSystemMetrics(SM_CXICON)}, std::pair{ICON_SMALL, GetSystemMetrics(SM_CXSMICON)}}) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP picture{};
        GetObjectW(info.hbmColor, sizeof picture, &picture);
        EXPECT_EQ(picture.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }

    RECT list{}, edit{}, apply{};
    const auto measure = [&] {
        for (auto [id, r] : {std::pair{ids::ListView, &list}, std::pair{ids::EditBox, &edit}, std::pair{ids::ApplyButton, &apply}}) {
            GetWindowRect(driver.control(id), r);
            MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(r), 2);
        }
    };
    measure();
    const RECT list0 = list, edit0 = edit, apply0 = apply;
    RECT frame{};
    GetWindowRect(main, &frame);
    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 150, SWP_NOMOVE | SWP_NOZORDER);
    contract::Win32Driver::settle();
    measure();
    EXPECT_EQ(list.right - list.left, list0.right - list0.left + 200) << "the list takes the extra width";
    EXPECT_EQ(list.bottom - list.top, list0.bottom - list0.top + 100) << "and two thirds of the extra height";
    EXPECT_EQ(edit.bottom - edit.top, edit0.bottom - edit0.top + 50) << "the edit box the other third";
    EXPECT_EQ(apply.left, apply0.left + 200) << "Apply Changes stays in the corner";
    EXPECT_EQ(apply.top, apply0.top + 150);
    saveScreenshot(main, "win32-main-window-grown");

    ShowWindow(main, SW_MINIMIZE);
    contract::Win32Driver::settle();
    EXPECT_TRUE(IsIconic(main));
    ShowWindow(main, SW_RESTORE);
    contract::Win32Driver::settle();
    EXPECT_FALSE(IsIconic(main));
}

TEST_F(Win32MainWindow, HelpFindsTheTopicsThatMentionAWord)
{
    int allTopics = 0, found = 0;
    std::string first, page;
    driver.whileModalIsUp(0, [&] {
        auto* help = driver.topModal();
        allTopics = help->listRowCount(ui::HelpTopicsDialog::TopicList);
        saveScreenshot(help->handle(), "win32-help");
        driver.typeKeys(ui::HelpTopicsDialog::SearchEdit, "overwrites");
        found = help->listRowCount(ui::HelpTopicsDialog::TopicList);
        first = help->listRowText(ui::HelpTopicsDialog::TopicList, 0);
        driver.clickRow(ui::HelpTopicsDialog::TopicList, 0);
        page = help->controlText(ui::HelpTopicsDialog::PageEdit);
        driver.pressEscape();
    }, [&] { driver.chooseMenu(ids::HelpHelp); });
    EXPECT_GT(allTopics, 10);
    EXPECT_GT(found, 0);
    EXPECT_LT(found, allTopics) << "only the topics that mention the word";
    EXPECT_EQ(page.substr(0, first.size()), first) << "the page of the topic clicked";
    EXPECT_NE(page.find("overwrite"), std::string::npos);
}

TEST_F(Win32MainWindow, TheAboutBoxMovesWhenItsPictureIsClickedAndTheGizmosWork)
{
    RECT before{}, after{};
    std::string caption;
    driver.whileModalIsUp(ids::AboutDialogTemplate, [&] {
        const HWND about = active();
        saveScreenshot(about, "win32-about");
        GetWindowRect(about, &before);
        driver.clickInto(ids::AboutPicture);
        GetWindowRect(about, &after);
        caption = ui::Win32Window::owning(about)->caption();
        driver.clickButton(ui::IdOk);
    }, [&] { driver.chooseMenu(ids::HelpAbout); });
    EXPECT_EQ(caption, "Quorbel has possessed this About box!");
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "moved, not resized";
    EXPECT_LT(after.left, 200 + 1);
    EXPECT_LT(after.top, 200 + 1);

    open(standardRom());
    bool checked = false;
    driver.whileModalIsUp(ids::GizmoDialogTemplate, [&] {
        saveScreenshot(active(), "win32-gizmos");
        driver.clickButton(1055); // the check box checks itself
        checked = SendMessageW(driver.control(1055), BM_GETCHECK, 0, 0) == BST_CHECKED;
        driver.pressEnter();
    }, [&] { driver.chooseMenu(ids::OptionsUseCompression); });
    EXPECT_TRUE(checked);
}

TEST_F(Win32MainWindow, AMessageBoxIsThePlatformsOwn)
{
    const ui::MessageRecord box = driver.answerMessageBox([&] {
        ui::Win32Window::setNextFileChoice({dir.file("not-a-rom.smc").string(), "not-a-rom.smc"});
        std::ofstream(dir.file("not-a-rom.smc")) << "not a ROM image";
        driver.chooseMenu(ids::FileOpen);
    });
    EXPECT_FALSE(box.caption.empty()) << "opening a file that is no ROM image is refused with a message";
    EXPECT_EQ(window().caption(), "Scrivlet 3.0 - No File Loaded");
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
