// Push buttons: a click, or Enter where no control wants it, sends the
// button's command; a disabled button sends nothing.
#include "Win32Window.h"

#include "Controls.h"

namespace scrivlet::ui {

using namespace win32;

void Win32Window::onClicked(int id, HWND from)
{
    if (isPushButton(from))
        handler_.onCommand(id);
    else if (isStatic(from))
        notify(id, Notification::Click); // a picture that reports clicks
    else if (id == IdOk || id == IdCancel)
        handler_.onCommand(id); // the dialog manager's Enter, naming whatever control has the id of OK
}

void Win32Window::pressDefaultButton()
{
    HWND button = GetFocus();
    if (!(button && IsChild(hwnd_, button) && isPushButton(button))) {
        // The dialog's default button; a default id with no button (some
        // versions of the platform answer OK for a dialog without one) is none.
        const auto found = static_cast<DWORD>(SendMessageW(hwnd_, DM_GETDEFID, 0, 0));
        button = HIWORD(found) == DC_HASDEFID ? GetDlgItem(hwnd_, LOWORD(found)) : nullptr;
        if (button && !isPushButton(button))
            button = nullptr; // a control that happens to have the id of OK is no button
    }
    if (!button)
        SendMessageW(hwnd_, WM_COMMAND, IDOK, 0);
    else if (IsWindowEnabled(button))
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace scrivlet::ui
