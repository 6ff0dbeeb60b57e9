// The list view: the selection mark is the current index, moved without
// touching the highlight; a click is reported when the button is released and
// a key after the list has acted on it, so the mark has moved to the row reached.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace scrivlet::ui {

void ListViewWidget::keyPressEvent(QKeyEvent* event)
{
    QTreeWidget::keyPressEvent(event);
    emit keyReported();
}

void ListViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // The right button moves the mark to the row under it, then is reported,
        // as the platform's list does (a context menu event comes not from every
        // window system, and not before the mark has moved).
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        pressed_ = secondClick_ = false;
        emit rightClickReported();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
    secondClick_ = false;
}

void ListViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    pressed_ = false;
    secondClick_ = true;
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = pressed_ && !secondClick_;
    pressed_ = secondClick_ = false;
    if (click)
        emit clickReported();
}

QWidget* QtWindow::makeListView(const ControlTemplate& c, QWidget* parent)
{
    const int id = c.id;
    auto* list = new ListViewWidget(parent);
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, ListColumnWidth);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QObject::connect(list, &ListViewWidget::clickReported, dialog_, [this, id] { handler_.onNotify(id, Notification::Click); });
    QObject::connect(list, &QTreeWidget::doubleClicked, dialog_, [this, id] { handler_.onNotify(id, Notification::DoubleClick); });
    QObject::connect(list, &ListViewWidget::keyReported, dialog_, [this, id] { handler_.onNotify(id, Notification::KeyDown); });
    QObject::connect(list, &ListViewWidget::rightClickReported, dialog_, [this, id] { handler_.onNotify(id, Notification::RightClick); });
    return list;
}

static ListViewWidget* listOf(QWidget* w) { return static_cast<ListViewWidget*>(w); }

void QtWindow::listDeleteAll(int id) { listOf(control(id))->clear(); }

void QtWindow::listInsertRow(int id, int index, const std::string& text)
{
    auto* item = new QTreeWidgetItem(QStringList{toDisplay(text)});
    listOf(control(id))->insertTopLevelItem(index, item);
}

void QtWindow::listDeleteRow(int id, int index)
{
    auto* list = listOf(control(id));
    QTreeWidgetItem* gone = list->topLevelItem(index);
    if (!gone)
        return;
    // Taking an item away would move the current index and the selection to a
    // neighbour; as on the platform, neither moves to another row. A deleted
    // highlighted row leaves none highlighted; a deleted marked row leaves the
    // mark at its index.
    QTreeWidgetItem* markItem = list->currentItem();
    QTreeWidgetItem* highlighted = list->selectedItems().isEmpty() ? nullptr : list->selectedItems().front();
    const QSignalBlocker quiet(list->selectionModel());
    delete list->takeTopLevelItem(index);
    list->selectionModel()->clearSelection();
    if (highlighted && highlighted != gone)
        list->selectionModel()->select(list->indexFromItem(highlighted), QItemSelectionModel::Select);
    if (markItem == gone)
        markItem = list->topLevelItem(index);
    list->selectionModel()->setCurrentIndex(markItem ? list->indexFromItem(markItem) : QModelIndex(), QItemSelectionModel::NoUpdate);
}

int QtWindow::listRowCount(int id) const { return listOf(control(id))->topLevelItemCount(); }

std::string QtWindow::listRowText(int id, int index) const
{
    QTreeWidgetItem* item = listOf(control(id))->topLevelItem(index);
    return item ? fromDisplay(item->text(0)) : std::string();
}

int QtWindow::listSelectionMark(int id) const
{
    const QModelIndex current = listOf(control(id))->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void QtWindow::setListSelectionMark(int id, int index)
{
    auto* list = listOf(control(id));
    QTreeWidgetItem* item = list->topLevelItem(index);
    // The mark moves without touching the highlight.
    list->selectionModel()->setCurrentIndex(item ? list->indexFromItem(item) : QModelIndex(), QItemSelectionModel::NoUpdate);
}

void QtWindow::listEnsureVisible(int id, int index)
{
    auto* list = listOf(control(id));
    if (QTreeWidgetItem* item = list->topLevelItem(index))
        list->scrollToItem(item, QAbstractItemView::EnsureVisible);
}

void QtWindow::listSelectRow(int id, int index)
{
    auto* list = listOf(control(id));
    if (QTreeWidgetItem* item = list->topLevelItem(index))
        list->selectionModel()->select(list->indexFromItem(item), QItemSelectionModel::ClearAndSelect);
}

void QtWindow::setListHotItem(int, int) {} // no hot tracking: nothing visible changes

PixelRect QtWindow::listRowScreenRect(int id, int index) const
{
    auto* list = listOf(control(id));
    QTreeWidgetItem* item = list->topLevelItem(index);
    const QRect shown = item ? list->visualItemRect(item).intersected(list->viewport()->rect()) : QRect();
    if (shown.isEmpty())
        return {};
    const QPoint at = list->viewport()->mapToGlobal(shown.topLeft());
    return {at.x(), at.y(), at.x() + shown.width(), at.y() + shown.height()};
}

} // namespace scrivlet::ui
