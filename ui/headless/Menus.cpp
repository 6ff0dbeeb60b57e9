// Menu items by id, their shortcuts and the dialog's accelerators.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::enableMenuItem(int id, bool enabled) { menu_.at(id).enabled = enabled; }

void HeadlessWindow::checkMenuItem(int id, bool checked) { menu_.at(id).checked = checked; }

bool HeadlessWindow::isMenuItemEnabled(int id) const { return menu_.at(id).enabled; }

bool HeadlessWindow::isMenuItemChecked(int id) const { return menu_.at(id).checked; }

bool HeadlessWindow::chooseMenu(int id)
{
    if (!menu_.at(id).enabled)
        return false;
    handler_.onCommand(id);
    return true;
}

bool HeadlessWindow::pressShortcut(const std::string& keys)
{
    if (const auto* menus = findMenuTemplate(template_.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (item.id != 0 && item.shortcut == keys) {
                    chooseMenu(item.id);
                    return true;
                }
    for (const Accelerator& a : template_.accelerators)
        if (a.keys == keys) {
            if (controls_.count(a.command))
                clickButton(a.command);
            else
                handler_.onCommand(a.command);
            return true;
        }
    return false;
}

} // namespace scrivlet::ui
