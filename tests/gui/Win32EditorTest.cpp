// The editor's real-input scenarios on the platform's own dialogs, and what
// only Windows has: the help topic finder in place of the platform's help viewer.
#include "EditorSuite.h"
#include "contract/Win32Driver.h"
#include "ui/HelpTopicsDialog.h"
#include "ui/win32/IniSettings.h"
#include "ui/win32/Text.h"
#include <algorithm>
#include <fstream>
#include <cctype>

namespace scrivlet::testing {
namespace {

const EditorBackend win32Backend{"win32", [] { return std::unique_ptr<contract::EditorDriver>(new contract::Win32Driver); },
    [] { return std::unique_ptr<ui::Platform>(new ui::Win32Platform); }};
std::string backendName(const ::testing::TestParamInfo<EditorBackend>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Win32, EditorTest, ::testing::Values(win32Backend), backendName);
INSTANTIATE_TEST_SUITE_P(Win32, EditorStartedWithAFile, ::testing::Values(win32Backend), backendName);

class Win32Help : public ::testing::Test {
protected:
    void SetUp() override { driver.openMain(dialog); }

    contract::Win32Driver driver;
    ui::Win32Platform platform;
    MainDialog dialog{platform};
};

TEST_F(Win32Help, HelpFindsTheTopicsThatMentionAWord)
{
    int allTopics = 0, found = 0;
    std::string first, page;
    std::vector<std::string> cut;
    driver.whileModalIsUp(0, [&] {
        ui::Window& help = driver.topModal();
        allTopics = help.listRowCount(ui::HelpTopicsDialog::TopicList);
        driver.screenshot("win32-help");
        // Every topic's name shows whole: none is cut with "..." by its column.
        const HWND list = GetDlgItem(static_cast<ui::Win32Window&>(help).handle(), ui::HelpTopicsDialog::TopicList);
        const int column = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
        for (int row = 0; row < allTopics; ++row) {
            const std::wstring name = ui::win32::fromUtf8(help.listRowText(ui::HelpTopicsDialog::TopicList, row));
            const int width = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(name.c_str())));
            if (width + 12 > column) // the item's own margins beside the text
                cut.push_back(help.listRowText(ui::HelpTopicsDialog::TopicList, row));
        }
        driver.typeKeys(ui::HelpTopicsDialog::SearchEdit, "overwrites");
        found = help.listRowCount(ui::HelpTopicsDialog::TopicList);
        first = help.listRowText(ui::HelpTopicsDialog::TopicList, 0);
        driver.clickRow(ui::HelpTopicsDialog::TopicList, 0);
        page = help.controlText(ui::HelpTopicsDialog::PageEdit);
        driver.pressEscape();
    }, [&] { driver.chooseMenu(ids::HelpHelp); });
    EXPECT_GT(allTopics, 10);
    EXPECT_EQ(cut, std::vector<std::string>{}) << "topic names cut short by the list";
    EXPECT_GT(found, 0);
    EXPECT_LT(found, allTopics) << "only the topics that mention the word";
    EXPECT_EQ(page.substr(0, first.size()), first) << "the page of the topic clicked";
    std::transform(page.begin(), page.end(), page.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(page.find("overwrite"), std::string::npos) << "the word searched for, in any case";
}

} // namespace
} // namespace scrivlet::testing

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace scrivlet::testing {
namespace {

TEST(IniSettingsStore, KeepsWhatWasSavedForTheNextRunAndSaysWhenItCannot)
{
    TempDir dir;
    const std::wstring file = ui::win32::fromUtf8(dir.file("scrivlet.ini").string());
    {
        ui::win32::IniSettings store(file);
        EXPECT_EQ(store.problem(), "");
        store.setValue("recent/1", "C:\\roms\\caf\u00E9.smc");
        store.setValue("recent/2", "C:\\roms\\b.smc");
        store.remove("recent/2");
        EXPECT_TRUE(store.save());
    }
    const ui::win32::IniSettings next(file);
    EXPECT_EQ(next.value("recent/1"), std::optional<std::string>("C:\\roms\\caf\u00E9.smc")) << "UTF-8 kept";
    EXPECT_FALSE(next.value("recent/2").has_value()) << "taken off, not left behind";
    // A file where the store's folder would be: the store cannot be written, and says so.
    std::ofstream(dir.file("x")) << "a file";
    ui::win32::IniSettings nowhere(ui::win32::fromUtf8(dir.file("x").string()) + L"\\scrivlet.ini");
    nowhere.setValue("recent/1", "a");
    EXPECT_FALSE(nowhere.save());
    EXPECT_NE(nowhere.problem().find("could not be written"), std::string::npos) << nowhere.problem();
}

} // namespace
} // namespace scrivlet::testing
