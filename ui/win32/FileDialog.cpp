// The open and save dialogs: the platform's own, with the filter as given
// ('|' for its NULs). After Open the chosen file's folder is the current
// directory, however the file was chosen: the dialog itself leaves it only
// when the user walked there, not when the path was typed.
#include "Win32Window.h"

#include "Controls.h"
#include "Text.h"

#include <commdlg.h>

#include <algorithm>
#include <deque>

namespace scrivlet::ui {

using namespace win32;

namespace {

std::deque<FileChoice>& nextFileChoices()
{
    static std::deque<FileChoice> choices;
    return choices;
}

std::deque<FileChoice>& nextSaveChoices()
{
    static std::deque<FileChoice> choices;
    return choices;
}

std::wstring platformFilter(const std::string& filter)
{
    std::wstring patterns = fromUtf8(filter);
    std::replace(patterns.begin(), patterns.end(), L'|', L'\0');
    return patterns;
}

FileChoice choiceOf(const std::wstring& path, int type)
{
    if (path.empty())
        return {};
    const std::size_t slash = path.find_last_of(L"\\/");
    return {toUtf8(path), toUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1)), type};
}

} // namespace

void Win32Window::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }
void Win32Window::setNextSaveChoice(const FileChoice& choice) { nextSaveChoices().push_back(choice); }

FileChoice Win32Window::chooseFileToOpen(const std::string& filter, const std::string& title)
{
    std::wstring path;
    int type = 0;
    if (!nextFileChoices().empty()) {
        path = fromUtf8(nextFileChoices().front().path);
        nextFileChoices().pop_front();
    } else {
        const std::wstring patterns = platformFilter(filter);
        const std::wstring caption = fromUtf8(title);
        std::wstring file(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = hwnd_;
        dialog.lpstrFilter = patterns.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
        const std::wstring folder = fromUtf8(fileDialogFolder_);
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameW(&dialog))
            return {};
        path = file.c_str();
        type = static_cast<int>(dialog.nFilterIndex) - 1;
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        SetCurrentDirectoryW(path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash).c_str()); // "C:\" keeps its slash
    return choiceOf(path, type);
}

FileChoice Win32Window::chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested)
{
    if (!nextSaveChoices().empty()) {
        const FileChoice choice = nextSaveChoices().front();
        nextSaveChoices().pop_front();
        return choice;
    }
    const std::wstring patterns = platformFilter(filter);
    const std::wstring caption = fromUtf8(title);
    std::wstring file(32768, L'\0');
    const std::wstring start = fromUtf8(suggested);
    std::copy_n(start.begin(), std::min(start.size(), file.size() - 1), file.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd_;
    dialog.lpstrFilter = patterns.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = caption.c_str();
    // The program asks itself before it replaces a file, and the current
    // directory stays where Open left it.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return {};
    return choiceOf(file.c_str(), static_cast<int>(dialog.nFilterIndex) - 1);
}

} // namespace scrivlet::ui
