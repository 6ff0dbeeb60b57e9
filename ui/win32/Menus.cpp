// The menu bar built by id from the template, with its separators, check
// marks, shortcuts shown after a tab and the Help menu at the right end, and
// the accelerator table of the menu shortcuts and the dialog's keys.
#include "Win32Window.h"

#include "Controls.h"

#include "Text.h"
#include <cctype>
#include <string>

namespace scrivlet::ui {

using namespace win32;

namespace {

// "Ctrl+O", "Ctrl+Return", "F3" as an accelerator for `command`.
bool parseKeys(const std::string& keys, WORD command, ACCEL& accel)
{
    accel = {FVIRTKEY, 0, command};
    std::string rest = keys;
    for (const auto& [word, flag] : {std::pair<std::string, BYTE>{"Ctrl+", FCONTROL}, {"Shift+", FSHIFT}, {"Alt+", FALT}})
        if (rest.rfind(word, 0) == 0) {
            accel.fVirt |= flag;
            rest = rest.substr(word.size());
        }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0])))
        accel.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
    else if (rest == "Return" || rest == "Enter")
        accel.key = VK_RETURN;
    else if (rest.size() >= 2 && rest[0] == 'F' && std::isdigit(static_cast<unsigned char>(rest[1])))
        accel.key = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
    else
        return false;
    return true;
}


} // namespace

void Win32Window::buildMenu()
{
    const auto* menus = findMenuTemplate(template_.menu);
    if (!menus)
        return;
    menu_ = CreateMenu();
    for (const MenuTemplate& m : *menus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == 0) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::wstring text = fromUtf8(item.caption);
            if (!item.shortcut.empty())
                text += L"\t" + fromUtf8(item.shortcut);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
            info.fType = MFT_STRING;
            info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
            info.wID = static_cast<UINT>(item.id);
            info.dwTypeData = text.data();
            InsertMenuItemW(popup, static_cast<UINT>(GetMenuItemCount(popup)), TRUE, &info);
        }
        // The Help menu stands at the right end of the bar.
        AppendMenuW(menu_, MF_POPUP | MF_STRING | (m.rightAligned ? MF_RIGHTJUSTIFY : 0), reinterpret_cast<UINT_PTR>(popup),
            fromUtf8(m.caption).c_str());
    }
    SetMenu(hwnd_, menu_);
}

void Win32Window::buildAccelerators()
{
    std::vector<ACCEL> table;
    ACCEL accel{};
    if (const auto* menus = findMenuTemplate(template_.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (!item.shortcut.empty() && parseKeys(item.shortcut, static_cast<WORD>(item.id), accel))
                    table.push_back(accel);
    for (const Accelerator& a : template_.accelerators)
        if (parseKeys(a.keys, static_cast<WORD>(a.command), accel))
            table.push_back(accel);
    if (!table.empty())
        accelerators_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

void Win32Window::setMenuItemText(int id, const std::string& caption)
{
    std::wstring text = fromUtf8(caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(menu_, static_cast<UINT>(id), FALSE, &info);
    DrawMenuBar(hwnd_);
}

void Win32Window::enableMenuItem(int id, bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Window::checkMenuItem(int id, bool checked)
{
    CheckMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32Window::isMenuItemEnabled(int id) const
{
    return !(GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool Win32Window::isMenuItemChecked(int id) const { return GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED; }

} // namespace scrivlet::ui
