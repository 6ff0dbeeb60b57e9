// Static texts and pictures: the colour of those on a tab's page. A click on
// a picture is reported from Buttons.cpp, where the platform sends it.
#include "Win32Window.h"

#include "Controls.h"


namespace scrivlet::ui {

using namespace win32;

INT_PTR Win32Window::pageColour(HDC dc, HWND control)
{
    // Texts and pictures on a tab's page take the page's colour.
    if (!onPage_.count(control))
        return FALSE;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

} // namespace scrivlet::ui
