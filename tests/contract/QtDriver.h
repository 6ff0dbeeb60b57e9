#pragma once

#include "text/Utf8.h"

// The Qt backend driven as a user would: real mouse and key events on the
// offscreen platform, menus opened by clicking the menu bar, rows clicked and
// dragged, keys typed into the focused control. Used by the contract suite and
// by the main window's real-input tests.

#include "BackendDriver.h"
#include "gui/Screenshot.h"
#include "resources/ResourceIds.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"
#include "ui/PicturePlace.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <QTextLayout>
#include <QPointer>
#include <QMimeData>
#include <QUrl>
#include <QDropEvent>
#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QFileDialog>
#include <QImage>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace scrivlet::contract {

// Lets events run until `done` holds or the time is up; the caller checks what it needs.
template <typename Done>
void waitUntil(Done done, int milliseconds = 5000)
{
    if (!QTest::qWaitFor(done, milliseconds))
        return;
}

inline void waitForActive(QWidget* window)
{
    if (!QTest::qWaitForWindowActive(window))
        return;
}

class QtDriver : public EditorDriver {
public:
    std::string name() const override { return "qt"; }

    ui::Window& openMain(ui::DialogHandler& handler) override
    {
        main_ = std::make_unique<ui::QtWindow>(*ui::findDialogTemplate(ids::MainDialogTemplate), handler, nullptr);
        handler.attach(*main_);
        handler.onInitDialog();
        main_->widget()->show();
        main_->widget()->activateWindow();
        waitForActive(main_->widget());
        return *main_;
    }

    int runModal(int templateId, ui::DialogHandler& handler, const std::function<void()>& user) override
    {
        int result = ui::IdCancel;
        whileModalIsUp(templateId, user, [&] { result = platform_.runModal(templateId, handler, *main_); });
        return result;
    }

    // Runs `causeIt`, which opens the dialog of `templateId`; `user` acts while
    // it is up, and a dialog still open afterwards is cancelled.
    void whileModalIsUp(int templateId, const std::function<void()>& user, const std::function<void()>& causeIt) override
    {
        const QString name = QString("dialog-%1").arg(templateId); // 0: any of ours
        bool seen = false;
        QTimer::singleShot(0, [this, name, templateId, user, &seen] {
            QWidget* modal = nullptr;
            waitUntil([&] {
                modal = QApplication::activeModalWidget();
                return modal && (modal->objectName() == name || (templateId == 0 && modal->property("qtWindow").isValid()))
                    && modal->isVisible();
            });
            if (!modal || (modal->objectName() != name && templateId != 0))
                return;
            seen = true;
            modal->activateWindow();
            waitForActive(modal);
            modals_.push_back(modal);
            user();
            modals_.pop_back();
            QApplication::processEvents();
            if (QApplication::activeModalWidget() == modal && modal->isVisible())
                static_cast<QDialog*>(modal)->done(ui::IdCancel);
        });
        causeIt();
        giveActivationBack();
        EXPECT_TRUE(seen) << "the dialog " << templateId << " never came up";
    }

    ui::QtWindow& mainWindow() override { return *main_; }
    void setNextFileChoice(const ui::FileChoice& choice) override { ui::QtWindow::setNextFileChoice(choice); }

    ui::Window& topModal() override
    {
        QWidget* modal = QApplication::activeModalWidget();
        return *static_cast<ui::QtWindow*>(modal->property("qtWindow").value<void*>());
    }

    void screenshot(const char* name) override { testing::saveScreenshot(top(), name); }

    std::vector<std::string> openDialogFileTypes(const std::function<void()>& causeIt) override
    {
        std::vector<std::string> shown;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            waitUntil([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; });
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!chooser)
                return;
            seen = true;
            if (auto* types = chooser->findChild<QComboBox*>("fileTypeCombo"))
                for (int i = 0; i < types->count(); ++i)
                    shown.push_back(types->itemText(i).toStdString());
            chooser->reject();
        });
        causeIt();
        EXPECT_TRUE(seen) << "the open-file dialog never came up";
        giveActivationBack();
        return shown;
    }

    WindowLook windowLook(ui::Window& window) override
    {
        QWidget* w = dynamic_cast<ui::QtWindow&>(window).widget();
        // The boxes a window manager draws are the ones the flags ask for.
        WindowLook look{static_cast<bool>(w->windowFlags() & Qt::WindowMinimizeButtonHint),
            static_cast<bool>(w->windowFlags() & Qt::WindowMaximizeButtonHint), {}};
        for (const QSize& size : w->windowIcon().availableSizes())
            look.iconSizes.push_back(size.width());
        return look;
    }

    ui::PixelRect controlRect(int id) override
    {
        QWidget* w = control(id);
        const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
        return {at.x(), at.y(), at.x() + w->width(), at.y() + w->height()};
    }

    void resizeMainWindowBy(int dx, int dy) override
    {
        QWidget* w = main_->widget();
        w->resize(w->width() + dx, w->height() + dy);
        QApplication::processEvents();
    }

    std::string hoverTip(int editId, int index) override
    {
        auto* edit = qobject_cast<QPlainTextEdit*>(control(editId));
        QTextCursor cursor(edit->document());
        cursor.setPosition(documentPosition(editId, index));
        const QRect caret = edit->cursorRect(cursor);
        QToolTip::hideText(); // a tip still up would answer for the character before
        waitUntil([] { return !QToolTip::isVisible(); }, 1500);
        // A little right of the caret place: over the character itself.
        QTest::mouseMove(edit->viewport(), QPoint(caret.right() + 2, caret.center().y()));
        waitUntil([] { return QToolTip::isVisible(); }, 2000);
        const std::string tip = QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
        QToolTip::hideText();
        QApplication::processEvents();
        return tip;
    }

    void dropFiles(int controlId, const std::vector<std::string>& paths) override
    {
        // What a file manager's drag delivers: a drag over the control, then the drop, to the widget under the mouse.
        QWidget* target = control(controlId);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(target))
            target = area->viewport();
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data->setUrls(urls);
        // Qt offers each to the widget under the mouse and, refused or disabled, to its parents.
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QApplication::processEvents();
        delete data;
    }

    std::string hoverTipBelowText(int editId) override
    {
        auto* edit = qobject_cast<QPlainTextEdit*>(control(editId));
        QToolTip::hideText();
        waitUntil([] { return !QToolTip::isVisible(); }, 1500);
        QTest::mouseMove(edit->viewport(), QPoint(12, edit->viewport()->height() - 6));
        waitUntil([] { return QToolTip::isVisible(); }, 1500);
        const std::string tip = QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
        QToolTip::hideText();
        QApplication::processEvents();
        return tip;
    }

    bool editWarnedAt(int editId, int position) override
    {
        auto* edit = qobject_cast<QPlainTextEdit*>(control(editId));
        const int at = documentPosition(editId, position);
        const QTextBlock block = edit->document()->findBlock(at);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            const int from = block.position() + range.start;
            if (at >= from && at < from + range.length && range.format.background().color() == QColor(0xFF, 0xE0, 0xA0))
                return true;
        }
        return false;
    }

    void dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels) override
    {
        auto* picture = dynamic_cast<ui::PictureWidget*>(control(id));
        ASSERT_TRUE(picture);
        QApplication::processEvents();
        const QRect r = picture->contentsRect();
        const auto pointOf = [&](std::pair<int, int> pixel) {
            int x = 0, y = 0;
            ui::pointOfPicturePixel({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, picture->image().width(),
                picture->image().height(), pixel.first, pixel.second, x, y);
            return QPoint(x, y);
        };
        QTest::mousePress(picture, Qt::LeftButton, {}, pointOf(pixels.front()));
        for (std::size_t k = 1; k < pixels.size(); ++k) {
            // QTest's move carries no button; a move event with the button held is what a drag sends.
            QMouseEvent move(QEvent::MouseMove, pointOf(pixels[k]), picture->mapToGlobal(pointOf(pixels[k])), Qt::NoButton,
                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &move);
            QApplication::processEvents();
        }
        QTest::mouseRelease(picture, Qt::LeftButton, {}, pointOf(pixels.back()));
        QApplication::processEvents();
    }

    std::uint32_t pictureColourAt(int id, int dx, int dy) override
    {
        auto* picture = qobject_cast<QFrame*>(control(id));
        QApplication::processEvents();
        const QImage drawn = picture->grab().toImage();
        const QRect inside = picture->contentsRect();
        const QPoint at = inside.center() + QPoint(1, 1) + QPoint(dx, dy); // the middle of an even width is right of centre()
        return drawn.pixel(at.x() * drawn.width() / picture->width(), at.y() * drawn.height() / picture->height());
    }

    // The program counts a line break as two characters, the document as one.
    int documentPosition(int editId, int position) const
    {
        auto* edit = qobject_cast<QPlainTextEdit*>(control(editId));
        return ui::QtWindow::documentPlace(ui::QtWindow::programPlaces(edit->toPlainText()), position);
    }

    Mark editMarkAt(int editId, int position) override
    {
        auto* edit = qobject_cast<QPlainTextEdit*>(control(editId));
        const int at = documentPosition(editId, position);
        const QTextBlock block = edit->document()->findBlock(at);
        if (at == block.position() + block.length() - 1 && block.next().isValid()) { // a line break: painted by the box
            const auto* colours = edit->document()->findChild<ui::BracketHighlighter*>();
            return colours && colours->marksBreakAt(at) ? Mark::Error : Mark::Plain;
        }
        if (at == block.position() + block.length() - 1 && block.next().isValid()) { // a line break: painted by the box
            const auto* colours = edit->document()->findChild<ui::BracketHighlighter*>();
            return colours && colours->marksBreakAt(at) ? Mark::Error : Mark::Plain;
        }
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            const int from = block.position() + range.start;
            if (at >= from && at < from + range.length)
                return range.format.background().color() == QColor(0xFF, 0xD8, 0xD8) ? Mark::Error : Mark::Group;
        }
        return Mark::Plain;
    }

    std::vector<std::string> clippedTexts() override
    {
        QWidget* window = modals_.empty() ? main_->widget() : modals_.back().data();
        std::vector<std::string> clipped;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window) || label->text().isEmpty() || label->pixmap().isNull() == false)
                continue;
            const QRect room = label->contentsRect();
            const bool fits = label->wordWrap() ? label->heightForWidth(room.width()) <= room.height()
                                                : label->sizeHint().width() <= label->width();
            // Or a field or a button drawn over it.
            bool covered = false;
            for (QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != label && other->isVisibleTo(window) && !qobject_cast<QLabel*>(other) && !qobject_cast<QGroupBox*>(other)
                    && other->geometry().intersects(label->geometry()) && !other->geometry().contains(label->geometry()))
                    covered = true;
            if (!fits || covered)
                clipped.push_back(label->text().toStdString());
        }
        return clipped;
    }

    bool checkBoxIsChecked(int id) override
    {
        auto* box = qobject_cast<QCheckBox*>(control(id));
        return box && box->isChecked();
    }

    void watchForUnexpectedBoxes() override
    {
        // A box still up after two looks is one nobody is answering.
        QObject::connect(&guard_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    if (!w->property("seenByGuard").toBool()) {
                        w->setProperty("seenByGuard", true);
                        continue;
                    }
                    unexpected_ += box->text().toStdString() + "\n";
                    (box->escapeButton() ? box->escapeButton() : box->buttons().front())->click(); // OK, or a question's Cancel
                }
        });
        guard_.start(500);
    }
    std::string unexpectedBoxes() override { return unexpected_; }
    // Selects the whole text and deletes it with the keyboard.
    void clearByKeys(int editId)
    {
        selectAllIn(editId);
        QTest::keyClick(control(editId), Qt::Key_Delete);
    }
    QWidget* control(int id) const { return top()->findChild<QWidget*>(QString("control-%1").arg(id)); }

    void chooseMenu(int commandId) override
    {
        QAction* action = main_->widget()->findChild<QAction*>(QString("command-%1").arg(commandId));
        QMenu* menu = openMenuOf(action);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QApplication::processEvents();
        if (menu->isVisible()) // a gray item leaves its menu open
            closeMenu(menu);
        giveActivationBack();
    }

    void openAndCloseMenu(int commandId) override
    {
        closeMenu(openMenuOf(main_->widget()->findChild<QAction*>(QString("command-%1").arg(commandId))));
    }

    MenuItemLook menuItemLook(int commandId) override
    {
        QAction* action = main_->widget()->findChild<QAction*>(QString("command-%1").arg(commandId));
        QMenu* menu = openMenuOf(action);
        const QRect item = menu->actionGeometry(action);
        const QImage drawn = menu->grab().toImage();
        closeMenu(menu);
        MenuItemLook look;
        if (item.isEmpty() || drawn.isNull())
            return look;
        look.found = true;
        // The check column is the item's left part, up to where the caption starts.
        const int column = item.left() + std::min(item.width() / 4, 24);
        for (int y = item.top(); y <= item.bottom(); ++y)
            for (int x = item.left(); x <= item.right(); ++x) {
                const int grey = qGray(drawn.pixel(x * drawn.width() / menu->width(), y * drawn.height() / menu->height()));
                if (x < column)
                    look.checkInk += grey < 128;
                else
                    look.darkestText = std::min(look.darkestText, grey);
            }
        return look;
    }

    void clickRow(int listId, int row) override { clickAt(listId, row, Qt::LeftButton); }
    void rightClickRow(int listId, int row) override { clickAt(listId, row, Qt::RightButton); }

    void clickControl(int id) override
    {
        QWidget* w = control(id);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
            w = area->viewport(); // a list or an edit box takes clicks in its viewport
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
        QApplication::processEvents();
    }

    void doubleClickRow(int listId, int row) override
    {
        auto* list = listOf(listId);
        const QPoint at = rowCentre(list, row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    void dragRows(int listId, int fromRow, int toRow) override
    {
        auto* list = listOf(listId);
        const QPoint from = rowCentre(list, fromRow);
        const QPoint to = rowCentre(list, toRow);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(list->viewport(), (from + to) / 2);
        QTest::mouseMove(list->viewport(), to);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);
        QApplication::processEvents();
    }

    void pressDownKey(int listId) override { QTest::keyClick(listOf(listId), Qt::Key_Down); }
    void typeAhead(int listId, char letter) override { QTest::keyClick(listOf(listId), letter); }

    void clickInto(int controlId) override
    {
        QWidget* w = control(controlId);
        if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
            QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
        QApplication::processEvents();
    }

    void typeKeys(int editId, const std::string& keys) override
    {
        QWidget* w = control(editId);
        // Typing goes on at the end of the text.
        if (qobject_cast<QPlainTextEdit*>(w))
            QTest::keyClick(w, Qt::Key_End, Qt::ControlModifier);
        else
            QTest::keyClick(w, Qt::Key_End);
        for (std::size_t i = 0; i < keys.size();) {
            const Utf8Char c = utf8CharAt(keys, i);
            if (keys[i] == '\r')
                QTest::keyClick(w, Qt::Key_Return);
            else if (c.value >= 0x80) // a letter no key of this keyboard has: its text
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUtf8(keys.data() + i, static_cast<qsizetype>(c.length)), Qt::NoModifier);
            else
                QTest::keyClick(w, keys[i]);
            i += c.length;
        }
    }

    void selectAllIn(int editId) override { QTest::keyClick(control(editId), Qt::Key_A, Qt::ControlModifier); }

    void pressKeys(int controlId, const std::string& keys) override
    {
        QWidget* w = control(controlId);
        if (!w->hasFocus()) {
            w->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
        }
        QTest::keySequence(w, QKeySequence(QString::fromStdString(keys)));
        QApplication::processEvents();
    }

    void pressEnter() override { QTest::keyClick(keyTarget(), Qt::Key_Return); }
    void pressEscape() override { QTest::keyClick(keyTarget(), Qt::Key_Escape); }
    // The offscreen platform draws no title bar: closing is what its close box sends.
    void pressCloseBox() override
    {
        top()->close();
        QApplication::processEvents();
    }
    bool topWindowIsUp() override { return (modals_.empty() ? main_->widget() : modals_.back().data())->isVisible(); }
    void clickButton(int id) override { QTest::mouseClick(control(id), Qt::LeftButton); }

    void selectTab(int tabId, int index) override
    {
        auto* bar = control(tabId)->findChild<QTabBar*>("tabbar");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    int highlightedRow(int listId) override
    {
        const auto rows = listOf(listId)->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.front().row();
    }

    ui::MessageRecord answerMessageBox(const std::function<void()>& causeIt) override { return answerBox(QMessageBox::Ok, causeIt); }

    ui::MessageRecord answerQuestion(ui::Answer answer, const std::function<void()>& causeIt) override
    {
        return answerBox(answer == ui::Answer::Yes ? QMessageBox::Yes : answer == ui::Answer::No ? QMessageBox::No : QMessageBox::Cancel,
            causeIt);
    }

    void typeIntoOpenDialog(const std::string& path, const std::function<void()>& causeIt) override
    {
        bool typed = false;
        std::function<void()> poll = [&] {
            if (typed)
                return;
            if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); chooser && chooser->isVisible()) {
                typed = true;
                auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
                name->setFocus();
                // Pasted whole: typed a key at a time, the dialog walks into each folder as its name ends.
                QApplication::clipboard()->setText(QString::fromStdString(path));
                QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
                QTest::qWait(100);
                // The name field's completer may have opened its list: Escape closes only that.
                if (name->completer() && name->completer()->popup() && name->completer()->popup()->isVisible())
                    QTest::keyClick(name->completer()->popup(), Qt::Key_Escape);
                QTest::keyClick(name, Qt::Key_Return);
                return;
            }
            QTimer::singleShot(10, poll);
        };
        QTimer::singleShot(0, poll);
        causeIt();
        EXPECT_TRUE(typed) << "the open-file dialog never came up";
        typed = true;
        giveActivationBack();
    }

private:
    // Runs `causeIt`, answers the box it shows with `button`, and tells what the box was.
    ui::MessageRecord answerBox(QMessageBox::StandardButton button, const std::function<void()>& causeIt)
    {
        ui::MessageRecord seen{};
        bool done = false;
        std::function<void()> poll = [&] {
            if (done)
                return;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    seen.text = box->text().toStdString();
                    seen.caption = box->windowTitle().toStdString();
                    seen.icon = box->icon() == QMessageBox::Warning ? ui::MessageIcon::Exclamation
                        : box->icon() == QMessageBox::Question      ? ui::MessageIcon::Question
                                                                    : ui::MessageIcon::None;
                    seen.owner = box->parentWidget() ? box->parentWidget()->window()->windowTitle().toStdString() : "";
                    for (auto [standard, name] : {std::pair{QMessageBox::Ok, "OK"}, std::pair{QMessageBox::Yes, "Yes"},
                             std::pair{QMessageBox::No, "No"}, std::pair{QMessageBox::Cancel, "Cancel"}})
                        if (box->button(standard))
                            seen.buttons.push_back(name);
                    done = true;
                    QTest::mouseClick(box->button(button), Qt::LeftButton);
                    return;
                }
            QTimer::singleShot(10, poll);
        };
        QTimer::singleShot(0, poll);
        causeIt();
        done = true; // no box came: stop looking
        QApplication::processEvents();
        giveActivationBack();
        return seen;
    }

    QWidget* top() const
    {
        QWidget* modal = QApplication::activeModalWidget();
        return modal ? modal : main_->widget();
    }
    QWidget* keyTarget() const
    {
        QWidget* focused = QApplication::focusWidget();
        return focused && focused->window() == top() ? focused : top();
    }
    QTreeWidget* listOf(int id) const { return static_cast<QTreeWidget*>(control(id)); }

    static QPoint rowCentre(QTreeWidget* list, int row)
    {
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->scrollToItem(item);
        return list->visualItemRect(item).center();
    }

    void clickAt(int listId, int row, Qt::MouseButton button)
    {
        auto* list = listOf(listId);
        QTest::mouseClick(list->viewport(), button, {}, rowCentre(list, row));
        QApplication::processEvents();
    }

    QMenuBar* barOf(QMenu* menu) const
    {
        for (QMenuBar* bar : main_->widget()->findChildren<QMenuBar*>())
            if (bar->actions().contains(menu->menuAction()))
                return bar;
        return nullptr;
    }

    // Clicks the menu's title in the menu bar and waits for it to open.
    QMenu* openMenuOf(QAction* action)
    {
        QMenu* menu = qobject_cast<QMenu*>(action->parent());
        QMenuBar* bar = barOf(menu);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        waitUntil([menu] { return menu->isVisible(); }, 1000);
        return menu;
    }

    // A second click on the title closes the menu unchosen.
    void closeMenu(QMenu* menu)
    {
        QMenuBar* bar = barOf(menu);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        waitUntil([menu] { return !menu->isVisible(); }, 1000);
        QApplication::processEvents();
        giveActivationBack();
    }

    // The offscreen platform leaves a closed menu or message box as the active
    // window, which no real window system does: the window under it is active again.
    void giveActivationBack()
    {
        QWidget* active = QApplication::activeWindow();
        if (!active || !active->isVisible()) {
            QApplication::setActiveWindow(top());
            QApplication::processEvents();
        }
    }

    ui::QtPlatform platform_;
    std::unique_ptr<ui::QtWindow> main_;
    QTimer guard_;
    std::string unexpected_;
    std::vector<QPointer<QWidget>> modals_; // the dialogs the user acts on, innermost last
};

} // namespace scrivlet::contract
