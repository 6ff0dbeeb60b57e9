// The menu bar: items by id with their separators, shortcuts and check
// marks (which follow the program, not the click), and the Help menu at the
// right end.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QAction>
#include <QMenuBar>

namespace scrivlet::ui {

void QtWindow::buildMenu(int menuId)
{
    const auto* menus = findMenuTemplate(menuId);
    if (!menus)
        return;
    auto* bar = new QMenuBar(dialog_);
    bar->setObjectName("menubar");
    QMenuBar* corner = nullptr;
    for (const MenuTemplate& m : *menus) {
        QMenuBar* target = bar;
        if (m.rightAligned) {
            corner = new QMenuBar(bar);
            target = corner;
        }
        QMenu* menu = target->addMenu(toUiText(m.caption));
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(toUiText(item.caption));
            action->setObjectName(QString("command-%1").arg(item.id));
            action->setCheckable(item.checkable); // only items that carry check marks show a box
            if (!item.shortcut.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
            action->setChecked(item.checked);
            checked_[item.id] = item.checked;
            actions_[item.id] = action;
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, dialog_, [this, id, action] {
                action->setChecked(checked_[id]); // check marks follow the program, not the click
                handler_.onCommand(id);
            });
        }
    }
    if (corner)
        bar->setCornerWidget(corner, Qt::TopRightCorner);
}

void QtWindow::enableMenuItem(int id, bool enabled) { actions_.at(id)->setEnabled(enabled); }

void QtWindow::setMenuItemText(int id, const std::string& caption) { actions_.at(id)->setText(toUiText(caption)); }

void QtWindow::checkMenuItem(int id, bool checked)
{
    checked_[id] = checked;
    actions_.at(id)->setChecked(checked);
}

bool QtWindow::isMenuItemEnabled(int id) const { return actions_.at(id)->isEnabled(); }
bool QtWindow::isMenuItemChecked(int id) const { return checked_.at(id); }

} // namespace scrivlet::ui
