// Message boxes: the platform's own, owned by the window, one OK button, the
// exclamation icon or none.
#include "Win32Window.h"

#include "Controls.h"

#include "Text.h"

namespace scrivlet::ui {

using namespace win32;

void Win32Window::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    MessageBoxW(hwnd_, fromLatin1(text).c_str(), fromLatin1(caption).c_str(), MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0));
}

} // namespace scrivlet::ui
