// Message boxes and questions: the platform's own, owned by the window; a
// message has one OK button and the exclamation icon or none, a question the
// question icon and Yes, No (and Cancel).
#include "Win32Window.h"

#include "Controls.h"

#include "Text.h"

namespace scrivlet::ui {

using namespace win32;

Answer Win32Window::ask(const std::string& text, const std::string& caption, QuestionButtons buttons)
{
    const bool withCancel = buttons == QuestionButtons::YesNoCancel;
    const int chosen = MessageBoxW(hwnd_, fromUtf8(text).c_str(), fromUtf8(caption).c_str(),
        (withCancel ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION);
    if (chosen == IDYES)
        return Answer::Yes;
    if (chosen == IDNO || !withCancel)
        return Answer::No;
    return Answer::Cancel;
}

void Win32Window::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    MessageBoxW(hwnd_, fromUtf8(text).c_str(), fromUtf8(caption).c_str(), MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0));
}

} // namespace scrivlet::ui
