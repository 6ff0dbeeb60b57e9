// The tab control: its tabs and the user picking one.
#include "HeadlessWindow.h"

#include <algorithm>

namespace scrivlet::ui {

void HeadlessWindow::tabDeleteAll(int id)
{
    at(id).rows.clear();
    at(id).mark = -1;
}

int HeadlessWindow::tabCurrent(int id) const { return controls_.at(id).mark; }

void HeadlessWindow::tabInsert(int id, int index, const std::string& caption)
{
    Control& c = at(id);
    c.rows.insert(c.rows.begin() + std::max(0, std::min(index, static_cast<int>(c.rows.size()))), caption);
    if (c.mark < 0) {
        c.mark = 0;
        if (tabInsertNotifies()) // as a platform may, for its first tab
            handler_.onNotify(id, Notification::TabSelectionChanged);
    }
}

void HeadlessWindow::selectTab(int tabId, int index)
{
    at(tabId).mark = index;
    handler_.onNotify(tabId, Notification::TabSelectionChanged);
}

} // namespace scrivlet::ui
