// File > the four ROMs opened last, kept in the platform's settings store
// between runs, the newest first; the open-file dialog starts in the folder
// of the last one.
#include "MainDialog.h"

#include "CommandLine.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <filesystem>

namespace scrivlet {

namespace {

std::string recentKey(int k) { return "recent/" + std::to_string(k + 1); }

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

void MainDialog::loadRecentFiles()
{
    recentFiles_.clear();
    ui::Settings& store = platform_.settings();
    for (int k = 0; k < ids::RecentFileCount; ++k)
        if (const auto path = store.value(recentKey(k)); path && !path->empty())
            recentFiles_.push_back(*path);
    if (const std::string problem = store.problem(); !problem.empty())
        window_->setControlText(ids::CaretNote, problem);
    showRecentFiles();
}

void MainDialog::showRecentFiles()
{
    for (int k = 0; k < ids::RecentFileCount; ++k) {
        const bool known = k < static_cast<int>(recentFiles_.size());
        // "&1 /roms/game.smc"; a place with no file is gray.
        window_->setMenuItemText(ids::FileRecent1 + k, "&" + std::to_string(k + 1) + (known ? " " + recentFiles_[static_cast<std::size_t>(k)] : ""));
        window_->enableMenuItem(ids::FileRecent1 + k, known);
    }
    window_->setFileDialogFolder(recentFiles_.empty() ? std::string() : folderOf(recentFiles_.front()));
}

void MainDialog::saveRecentFiles()
{
    ui::Settings& store = platform_.settings();
    for (int k = 0; k < ids::RecentFileCount; ++k) {
        if (k < static_cast<int>(recentFiles_.size()))
            store.setValue(recentKey(k), recentFiles_[static_cast<std::size_t>(k)]);
        else
            store.remove(recentKey(k));
    }
    if (!store.save()) // never a failure of the program: said once, on the line under the size line
        window_->setControlText(ids::CaretNote, store.problem());
    showRecentFiles();
}

void MainDialog::rememberRecentFile(const std::string& path)
{
    std::error_code unknown;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::u8path(path), unknown);
    const std::u8string text = (unknown ? std::filesystem::u8path(path) : full).u8string();
    const std::string absolute(text.begin(), text.end());
    recentFiles_.erase(std::remove(recentFiles_.begin(), recentFiles_.end(), absolute), recentFiles_.end());
    recentFiles_.insert(recentFiles_.begin(), absolute);
    if (recentFiles_.size() > static_cast<std::size_t>(ids::RecentFileCount))
        recentFiles_.resize(ids::RecentFileCount);
    saveRecentFiles();
}

void MainDialog::openRecentFile(int k)
{
    if (k < 0 || k >= static_cast<int>(recentFiles_.size()))
        return;
    const std::string path = recentFiles_[static_cast<std::size_t>(k)];
    std::error_code unknown;
    if (!std::filesystem::exists(std::filesystem::u8path(path), unknown)) {
        recentFiles_.erase(recentFiles_.begin() + k);
        saveRecentFiles();
        window_->messageBox(path + messages::RecentFileGone, messages::RomNotOpenedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    openRomAt(path, fileNameOf(path));
}

void MainDialog::restorePlacement()
{
    const ui::Settings& store = platform_.settings();
    int values[5] = {};
    const char* keys[5] = {"window/left", "window/top", "window/right", "window/bottom", "window/maximized"};
    for (int k = 0; k < 5; ++k) {
        const auto text = store.value(keys[k]);
        if (!text)
            return; // never remembered: where the platform puts it
        try {
            values[k] = std::stoi(*text);
        } catch (const std::exception&) {
            return; // a store edited by hand: ignored
        }
    }
    window_->place({{values[0], values[1], values[2], values[3]}, values[4] != 0}); // off every screen: left where it is
}

void MainDialog::rememberPlacement()
{
    const ui::WindowPlacement now = window_->placement();
    ui::Settings& store = platform_.settings();
    store.setValue("window/left", std::to_string(now.normal.left));
    store.setValue("window/top", std::to_string(now.normal.top));
    store.setValue("window/right", std::to_string(now.normal.right));
    store.setValue("window/bottom", std::to_string(now.normal.bottom));
    store.setValue("window/maximized", now.maximized ? "1" : "0");
    store.save(); // the window ends: nowhere left to say it could not be kept
}

} // namespace scrivlet
