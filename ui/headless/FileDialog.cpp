// The open-file dialog: scripted answers, the chosen file's folder made current.
#include "HeadlessWindow.h"

#include <filesystem>

namespace scrivlet::ui {

FileChoice HeadlessWindow::chooseFileToOpen(const std::string& filter)
{
    lastFileFilters.push_back(filter);
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

} // namespace scrivlet::ui
