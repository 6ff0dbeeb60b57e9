#pragma once

#include "app/MainDialog.h"
#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "support/TestImage.h"
#include "ui/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace scrivlet::testing {

namespace fs = std::filesystem;

// Commands whose state Open and Close set.
const int RomCommands[] = {ids::FileClose, ids::EditSearch, ids::ToolsExpandRom, ids::ToolsEditTptEntry,
    ids::ToolsViewDetails, ids::ToolsDumpText, ids::OptionsPointerListing, ids::OptionsRawListing,
    ids::OptionsExpandedListing, ids::OptionsTextAndCodes, ids::OptionsCodesOnly, ids::OptionsUseCompression,
    ids::OptionsPreventOverwrites};

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override { savedDirectory = fs::current_path(); }
    void TearDown() override { fs::current_path(savedDirectory); }

    // Three pointer rows: "Hello" (sprite/movement set), a text with a dictionary
    // string, and one with movement 0.
    TestImage standardImage(std::size_t size = 0x100000)
    {
        TestImage image(size);
        image.setDictionary({"the ", "Onett"});
        image.put(0x51D12, bytes({gameText("Hello"), {0x02}}));
        image.put(0x51D20, bytes({gameText("Go to "), {0x15, 0x02}, gameText("!"), {0x03, 0x02}}));
        image.put(0x51D40, {0x78, 0x95, 0x02});
        image.put(0x51D50, bytes({gameText("AAAA"), {0x02}}));
        image.setTptRecord(0, 0xC51B12, 5, 6);
        image.setTptRecord(1, 0xC51B20, 7, 8);
        image.setTptRecord(2, 0xC51B40, 9, 0);
        image.setTptRecord(3, 0xC51B50, 1, 1);
        return image;
    }

    fs::path write(const TestImage& image, const std::string& name = "rom.smc") { return image.writeTo(dir.file(name)); }

    void open(const fs::path& path)
    {
        window.fileAnswers.push_back({path.string(), path.filename().string()});
        ASSERT_TRUE(window.chooseMenu(ids::FileOpen));
    }

    std::string text(int id) const { return window.controlText(id); }

    TempDir dir;
    fs::path savedDirectory;
    ui::HeadlessPlatform platform;
    MainDialog dialog{platform};
    std::unique_ptr<ui::HeadlessWindow> mainWindow = platform.openMain(ids::MainDialogTemplate, dialog);
    ui::HeadlessWindow& window = *mainWindow;
};

// The main window with the standard image open; `before` is the file as it was.
class OpenedRomTest : public MainDialogTest {
protected:
    void SetUp() override
    {
        MainDialogTest::SetUp();
        path = write(standardImage());
        open(path);
        before = readFile(path);
    }
    fs::path path;
    std::vector<std::uint8_t> before;
};

} // namespace scrivlet::testing
