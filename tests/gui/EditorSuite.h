#pragma once

// The editor's real-input scenarios, one suite over every backend that has
// real input: the main window with the real MainDialog, driven only with the
// backend's own mouse and key events. Each backend's test program
// instantiates it with its driver (QtEditorTest.cpp, Win32EditorTest.cpp).

#include "app/CommandLine.h"
#include "app/MainDialog.h"
#include "contract/BackendDriver.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

namespace scrivlet::testing {

struct EditorBackend {
    const char* name;
    contract::EditorDriverFactory make;
    std::function<std::unique_ptr<ui::Platform>()> platform;
};
inline void PrintTo(const EditorBackend& backend, std::ostream* out) { *out << backend.name; }

class EditorTest : public ::testing::TestWithParam<EditorBackend> {
protected:
    void SetUp() override
    {
        saved = std::filesystem::current_path();
        driver = GetParam().make();
        platform = GetParam().platform();
        dialog = std::make_unique<MainDialog>(*platform);
        dialog->startupFiles = commandLineFiles;
        driver->openMain(*dialog);
        driver->watchForUnexpectedBoxes();
    }
    void TearDown() override
    {
        EXPECT_EQ(driver->unexpectedBoxes(), "") << "a message box came up that no step expected";
        driver.reset();
        std::filesystem::current_path(saved);
    }

    std::string standardRom() { return fourRowImage().writeTo(dir.file("rom.smc")).string(); }
    std::vector<std::string> commandLineFiles; // what the program is started with
    void open(const std::string& path)
    {
        driver->setNextFileChoice({path, std::filesystem::path(path).filename().string()});
        driver->chooseMenu(ids::FileOpen);
        ASSERT_EQ(window().caption(), "Scrivlet 3.0 - File Loaded");
    }
    // Selects the whole text and deletes it with the keyboard.
    void clearByKeys(int editId)
    {
        driver->selectAllIn(editId);
        driver->pressKeys(editId, "Delete");
    }
    std::string name(const char* what) const { return std::string(GetParam().name) + "-" + what; }

    ui::Window& window() { return driver->mainWindow(); }
    // A tool window is neither minimized nor maximized: it only has a close box.
    void expectNoMinimizeOrMaximizeBox(const char* which)
    {
        const auto look = driver->windowLook(driver->topModal());
        EXPECT_FALSE(look.minimizeBox) << which;
        EXPECT_FALSE(look.maximizeBox) << which;
    }
    std::string text(int id) { return window().controlText(id); }

    TempDir dir;
    std::filesystem::path saved;
    std::unique_ptr<contract::EditorDriver> driver;
    std::unique_ptr<ui::Platform> platform;
    std::unique_ptr<MainDialog> dialog;
};

inline std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t size)
{
    return {data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + size)};
}

// The editor started with a ROM named on its command line, as a file
// manager's "Open with" (or a file dropped on the program) starts it.
class EditorStartedWithAFile : public EditorTest {
protected:
    void SetUp() override
    {
        const std::string path = fourRowImage().writeTo(dir.file("named.smc")).string();
        commandLineFiles = filesFromCommandLine({"scrivlet", path}, false);
        EditorTest::SetUp();
    }
};

} // namespace scrivlet::testing
