// The open and save dialogs: scripted answers, each dialog's title kept, and
// the chosen file's folder made current after Open.
#include "HeadlessWindow.h"

#include <filesystem>

namespace scrivlet::ui {

FileChoice HeadlessWindow::chooseFileToOpen(const std::string& filter, const std::string& title)
{
    lastFileFilters.push_back(filter);
    fileDialogTitles.push_back(title.empty() ? "Open" : title);
    fileDialogFolders.push_back(fileDialogFolder);
    if (fileAnswers.empty())
        return {};
    FileChoice choice = fileAnswers.front();
    fileAnswers.pop_front();
    if (!choice.path.empty()) {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::absolute(choice.path).parent_path(), ignored);
    }
    return choice;
}

FileChoice HeadlessWindow::chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested)
{
    lastFileFilters.push_back(filter);
    fileDialogTitles.push_back(title);
    suggestedNames.push_back(suggested);
    if (saveAnswers.empty())
        return {};
    FileChoice choice = saveAnswers.front();
    saveAnswers.pop_front();
    return choice;
}

} // namespace scrivlet::ui
