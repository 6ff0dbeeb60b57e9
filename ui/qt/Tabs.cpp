// The tab control: a tab bar over a page on which run-time controls are
// made; only the user's choice of a tab is reported.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QTabBar>

namespace scrivlet::ui {

QWidget* QtWindow::makeTabControl(const ControlTemplate& c, QWidget* parent, double scaleX)
{
    const int id = c.id;
    auto* container = new QWidget(parent);
    auto* bar = new QTabBar(container);
    bar->setObjectName("tabbar");
    bar->setGeometry(0, 0, static_cast<int>(c.width * scaleX), 24);
    QObject::connect(bar, &QTabBar::currentChanged, dialog_, [this, id](int) {
        if (!settingText_)
            handler_.onNotify(id, Notification::TabSelectionChanged);
    });
    return container;
}

static QTabBar* tabBarOf(QWidget* w) { return w->findChild<QTabBar*>("tabbar"); }

void QtWindow::tabDeleteAll(int id)
{
    settingText_ = true;
    QTabBar* bar = tabBarOf(control(id));
    while (bar->count() > 0)
        bar->removeTab(0);
    settingText_ = false;
}

void QtWindow::tabInsert(int id, int index, const std::string& caption)
{
    settingText_ = true;
    tabBarOf(control(id))->insertTab(index, toUiText(caption));
    settingText_ = false;
}

int QtWindow::tabCurrent(int id) const { return tabBarOf(control(id))->currentIndex(); }

} // namespace scrivlet::ui
