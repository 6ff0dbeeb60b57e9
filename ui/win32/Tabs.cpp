// The tab control: its tabs, and only the user's choice of one reported. Its
// pages' controls are made at run time by the frame.
#include "Win32Window.h"

#include "Controls.h"

#include "Text.h"

namespace scrivlet::ui {

using namespace win32;

bool Win32Window::onTabNotify(const NMHDR& header)
{
    if (header.code != TCN_SELCHANGE)
        return false;
    if (!settingText_)
        notify(static_cast<int>(header.idFrom), Notification::TabSelectionChanged);
    return true;
}

void Win32Window::tabDeleteAll(int id)
{
    settingText_ = true;
    SendMessageW(control(id), TCM_DELETEALLITEMS, 0, 0);
    settingText_ = false;
}

void Win32Window::tabInsert(int id, int index, const std::string& caption)
{
    std::wstring text = fromUtf8(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    settingText_ = true;
    SendMessageW(control(id), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    settingText_ = false;
}

int Win32Window::tabCurrent(int id) const { return static_cast<int>(SendMessageW(control(id), TCM_GETCURSEL, 0, 0)); }

} // namespace scrivlet::ui
