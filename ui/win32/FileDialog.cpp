// The open-file dialog: the platform's own, with the filter as given ('|'
// for its NULs), leaving the chosen file's folder current.
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

} // namespace

void Win32Window::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }

FileChoice Win32Window::chooseFileToOpen(const std::string& filter)
{
    std::wstring path;
    if (!nextFileChoices().empty()) {
        path = fromUtf8(nextFileChoices().front().path);
        nextFileChoices().pop_front();
        std::wstring folder = path.substr(0, path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/"));
        if (!folder.empty())
            SetCurrentDirectoryW(folder.c_str());
    } else {
        // "Name|pattern|...||" is the platform's own filter with '|' for its NULs.
        std::wstring patterns = fromLatin1(filter);
        std::replace(patterns.begin(), patterns.end(), L'|', L'\0');
        std::wstring file(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = hwnd_;
        dialog.lpstrFilter = patterns.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        // The chosen file's folder is left current.
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameW(&dialog))
            return {};
        path = file.c_str();
    }
    if (path.empty())
        return {};
    const std::size_t slash = path.find_last_of(L"\\/");
    return {toUtf8(path), toUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1))};
}

} // namespace scrivlet::ui
