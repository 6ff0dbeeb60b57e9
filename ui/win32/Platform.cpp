#include "Win32Platform.h"

#include "Win32Window.h"

#include <windows.h>
#include <commctrl.h>

namespace scrivlet::ui {

Win32Platform::Win32Platform()
{
    INITCOMMONCONTROLSEX controls{sizeof controls,
        ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_INTERNET_CLASSES | ICC_DATE_CLASSES
            | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll"); // the RichEdit class of the code-coloured edit box
}

int Win32Platform::runModal(int templateId, DialogHandler& handler, Window& owner)
{
    const DialogTemplate* t = findDialogTemplate(templateId);
    if (!t)
        return IdCancel;
    Win32Window window(*t, handler);
    handler.attach(window);
    return window.runModal(static_cast<Win32Window&>(owner).handle());
}

int Win32Platform::runMain(int templateId, DialogHandler& handler)
{
    const DialogTemplate* t = findDialogTemplate(templateId);
    if (!t)
        return IdCancel;
    Win32Window window(*t, handler);
    handler.attach(window);
    return window.runModal(nullptr);
}

} // namespace scrivlet::ui
