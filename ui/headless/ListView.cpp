// The list view: rows, the selection mark apart from the highlight, and the
// user's clicks, keys and drags, each reported after the mark has moved.
#include "HeadlessWindow.h"

#include <algorithm>

namespace scrivlet::ui {

void HeadlessWindow::listDeleteAll(int id)
{
    Control& c = at(id);
    c.rows.clear();
    c.mark = c.selected = c.hot = -1;
}

void HeadlessWindow::listInsertRow(int id, int index, const std::string& text)
{
    Control& c = at(id);
    index = std::max(0, std::min(index, static_cast<int>(c.rows.size())));
    c.rows.insert(c.rows.begin() + index, text);
    // The mark and the highlight stay on their rows.
    if (c.selected >= index)
        ++c.selected;
    if (c.mark >= index && c.mark >= 0)
        ++c.mark;
}

void HeadlessWindow::listDeleteRow(int id, int index)
{
    Control& c = at(id);
    if (index < 0 || index >= static_cast<int>(c.rows.size()))
        return;
    c.rows.erase(c.rows.begin() + index);
    // The mark and the highlight stay on their rows; a highlighted row that is
    // deleted leaves no row highlighted, a marked one leaves the mark where it was.
    if (c.selected == index)
        c.selected = -1;
    else if (c.selected > index)
        --c.selected;
    if (c.mark > index)
        --c.mark;
}

int HeadlessWindow::listRowCount(int id) const { return static_cast<int>(controls_.at(id).rows.size()); }

std::string HeadlessWindow::listRowText(int id, int index) const { return controls_.at(id).rows.at(static_cast<std::size_t>(index)); }

int HeadlessWindow::listSelectionMark(int id) const { return controls_.at(id).mark; }

void HeadlessWindow::setListSelectionMark(int id, int index) { at(id).mark = index; }

void HeadlessWindow::listEnsureVisible(int id, int index)
{
    Control& c = at(id);
    if (index < 0 || index >= static_cast<int>(c.rows.size()))
        return;
    if (index < c.topRow)
        c.topRow = index;
    else if (index >= c.topRow + VisibleListRows)
        c.topRow = index - VisibleListRows + 1;
}

void HeadlessWindow::listSelectRow(int id, int index) { at(id).selected = index; }

void HeadlessWindow::setListHotItem(int id, int index) { at(id).hot = index; }

bool HeadlessWindow::listReports(int listId) const { return controls_.at(listId).enabled; }

void HeadlessWindow::clickRow(int listId, int row, bool right)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    if (row >= 0 && row < static_cast<int>(c.rows.size())) {
        c.mark = row;
        c.selected = row;
    }
    focus(listId);
    handler_.onNotify(listId, right ? Notification::RightClick : Notification::Click);
}

void HeadlessWindow::doubleClickRow(int listId, int row)
{
    clickRow(listId, row);
    if (listReports(listId))
        handler_.onNotify(listId, Notification::DoubleClick);
}

void HeadlessWindow::pressKey(int listId, int markAfterKey)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    if (markAfterKey >= 0 && markAfterKey < static_cast<int>(c.rows.size())) {
        c.mark = markAfterKey;
        c.selected = markAfterKey;
    }
    handler_.onNotify(listId, Notification::KeyDown);
}

void HeadlessWindow::dragRows(int listId, int fromRow, int toRow)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    for (int row : {fromRow, toRow})
        if (row >= 0 && row < static_cast<int>(c.rows.size()))
            c.mark = c.selected = row;
    handler_.onNotify(listId, Notification::Click); // reported when the button is released
}

// The model lays its rows out 16 pixels high from 40 pixels below the window's
// top, VisibleListRows of them in view. New rows keep the list scrolled where it
// was, as a list whose rows are replaced may: only the program brings a row into view.
PixelRect HeadlessWindow::listRowScreenRect(int id, int index) const
{
    const int firstShown = control(id).topRow;
    if (index < firstShown || index >= listRowCount(id) || index >= firstShown + VisibleListRows)
        return {};
    const int top = rect_.top + 40 + 16 * (index - firstShown);
    return {rect_.left + 10, top, rect_.right - 10, top + 16};
}

} // namespace scrivlet::ui
