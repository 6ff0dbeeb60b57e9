#include "QtWindow.h"

#include "QtBackend.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QFontMetricsF>
#include <QTabBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>

namespace scrivlet::ui {

namespace {

// Words wrap at blanks; but a block of dictionary strings can show tens of
// thousands of characters without one, and looking for a blank in such a run
// on every line makes the layout quadratic. A text with a run longer than this
// wraps anywhere instead.
constexpr qsizetype LongestWordWrapped = 1000;

bool hasUnbreakableRun(const QString& text)
{
    qsizetype run = 0;
    for (QChar c : text) {
        run = (c == ' ' || c == '\n' || c == '\r' || c == '\t') ? 0 : run + 1;
        if (run > LongestWordWrapped)
            return true;
    }
    return false;
}

std::deque<FileChoice>& nextFileChoices()
{
    static std::deque<FileChoice> choices;
    return choices;
}

QPixmap bitmapResource(int number)
{
    return QPixmap(QString(":/art/bitmap-%1.png").arg(number));
}

// "Name|pattern|Name|pattern||" as Qt's "Name (p1 p2);;Name (p)".
QString qtFilter(const std::string& filter)
{
    const QStringList parts = QString::fromLatin1(filter.c_str()).split('|', Qt::SkipEmptyParts);
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        name = name.left(name.indexOf('(')).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns.trimmed() == "*.*")
            patterns = "*";
        choices << name + " (" + patterns.simplified() + ")";
    }
    return choices.join(";;");
}

// The templates are laid out for MS Sans Serif 8, whose average character is
// 6 pixels wide at 96 DPI (4 dialog units). Take the system face at the size
// whose characters are no wider, so that captions fit their controls.
QFont templateFont(QFont font)
{
    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0;
    const double target = 6.0 * dpi / 96.0;
    for (double size = 8.0; size >= 6.0; size -= 0.5) {
        font.setPointSizeF(size);
        // Measured as dialog base units are: the mean width of A-Z and a-z.
        const double mean = QFontMetricsF(font).horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
        if (mean <= target)
            break;
    }
    return font;
}

} // namespace

void ListViewWidget::keyPressEvent(QKeyEvent* event)
{
    QTreeWidget::keyPressEvent(event);
    emit keyReported();
}

void EditBoxWidget::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit focusGained();
}

void EditBoxWidget::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    emit focusLost();
}

DialogWidget::DialogWidget(DialogHandler& handler, QWidget* parent) : QDialog(parent), handler_(handler) {}

void DialogWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (handler_.onCloseRequest())
            done(IdCancel);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (QPushButton* button : findChildren<QPushButton*>())
            if (button->isDefault() && button->isEnabled()) {
                button->click();
                return;
            }
        return; // never ends the dialog by itself
    }
    QDialog::keyPressEvent(event);
}

void DialogWidget::closeEvent(QCloseEvent* event)
{
    if (handler_.onCloseRequest()) {
        setResult(IdCancel);
        event->accept();
    } else {
        event->ignore();
    }
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->property("reportsClicks").toBool()) {
        handler_.onNotify(watched->property("controlId").toInt(), Notification::Click);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QtWindow::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }

QString QtWindow::toDisplay(const std::string& text)
{
    QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    s.replace("\r\n", "\n");
    return s;
}

std::string QtWindow::fromDisplay(const QString& text)
{
    QString s = text;
    s.replace(QChar(0x2029), '\n'); // paragraph separators of the text document
    s.replace("\n", "\r\n");
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QtWindow::QtWindow(const DialogTemplate& t, DialogHandler& handler, QWidget* owner) : handler_(handler)
{
    dialog_ = new DialogWidget(handler, owner);
    dialog_->setObjectName(QString("dialog-%1").arg(t.id));
    dialog_->setWindowTitle(toDisplay(t.caption));
    dialog_->setWindowIcon(QIcon(":/art/icon-32.png"));
    dialog_->setFont(templateFont(dialog_->font()));
    auto* layout = new QVBoxLayout(dialog_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu(t.menu);
    if (!actions_.empty())
        layout->setMenuBar(dialog_->findChild<QMenuBar*>("menubar"));

    // Dialog units of MS Sans Serif 8 at 96 DPI: 1.5 px across, 1.625 px down.
    const double dpi = owner && owner->screen() ? owner->screen()->logicalDotsPerInch()
        : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0);
    const double scaleX = 1.5 * dpi / 96.0;
    const double scaleY = 1.625 * dpi / 96.0;
    content_ = new QWidget(dialog_);
    content_->setFixedSize(static_cast<int>(std::lround(t.width * scaleX)), static_cast<int>(std::lround(t.height * scaleY)));
    layout->addWidget(content_);
    for (const ControlTemplate& c : t.controls) {
        QWidget* w = makeControl(c, content_, scaleX, scaleY);
        w->setGeometry(static_cast<int>(std::lround(c.left * scaleX)), static_cast<int>(std::lround(c.top * scaleY)),
            static_cast<int>(std::lround(c.width * scaleX)), static_cast<int>(std::lround(c.height * scaleY)));
        if (c.kind == ControlKind::GroupBox)
            w->lower();
        if (c.id >= 0) {
            w->setObjectName(QString("control-%1").arg(c.id));
            w->setProperty("controlId", c.id);
            controls_[c.id] = w;
        }
    }
    dialog_->setFixedSize(dialog_->sizeHint());
}

QtWindow::~QtWindow() { delete dialog_; }

QWidget* QtWindow::control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

int QtWindow::exec() { return dialog_->exec(); }

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
        QMenu* menu = target->addMenu(toDisplay(m.caption));
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(toDisplay(item.caption));
            action->setObjectName(QString("command-%1").arg(item.id));
            action->setCheckable(true);
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

QWidget* QtWindow::makeControl(const ControlTemplate& c, QWidget* parent, double scaleX, double scaleY)
{
    (void)scaleX;
    (void)scaleY;
    const int id = c.id;
    switch (c.kind) {
    case ControlKind::StaticText: {
        auto* label = new QLabel(toDisplay(c.caption), parent);
        label->setWordWrap(c.height > 12); // one-line labels never wrap out of sight
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::StaticBitmap: {
        auto* label = new QLabel(parent);
        label->setPixmap(bitmapResource(c.bitmap));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (c.style & SunkenEdge)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (id >= 0) {
            label->setProperty("reportsClicks", true);
            label->setProperty("controlId", id);
            label->installEventFilter(dialog_);
        }
        return label;
    }
    case ControlKind::ListView: {
        auto* list = new ListViewWidget(parent);
        list->setColumnCount(1);
        list->setHeaderHidden(true);
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->header()->setStretchLastSection(false);
        list->setColumnWidth(0, 439);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        QObject::connect(list, &QTreeWidget::clicked, dialog_, [this, id] { handler_.onNotify(id, Notification::Click); });
        QObject::connect(list, &QTreeWidget::doubleClicked, dialog_, [this, id] { handler_.onNotify(id, Notification::DoubleClick); });
        QObject::connect(list, &ListViewWidget::keyReported, dialog_, [this, id] { handler_.onNotify(id, Notification::KeyDown); });
        QObject::connect(list, &QWidget::customContextMenuRequested, dialog_, [this, id, list](const QPoint& at) {
            const QModelIndex index = list->indexAt(at);
            if (index.isValid())
                list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            handler_.onNotify(id, Notification::RightClick);
        });
        return list;
    }
    case ControlKind::Edit: {
        if (c.style & MultiLine) {
            auto* edit = new EditBoxWidget(parent);
            edit->setReadOnly(c.style & ReadOnly);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            QObject::connect(edit, &QPlainTextEdit::textChanged, dialog_, [this, id, edit] {
                if (settingText_)
                    return;
                // The typing limit: a change that would pass it is taken back;
                // a longer text put in by the program stays.
                const int limit = editLimits_.count(id) ? editLimits_[id] : 0;
                const QString now = edit->toPlainText();
                if (limit > 0 && now.size() > limit && now.size() > lastTyped_[id].size()) {
                    settingText_ = true;
                    edit->undo();
                    settingText_ = false;
                    return;
                }
                lastTyped_[id] = now;
                fitWrapMode(edit);
                handler_.onNotify(id, Notification::TextChanged);
            });
            QObject::connect(edit, &EditBoxWidget::focusGained, dialog_, [this, id] { handler_.onNotify(id, Notification::GotFocus); });
            QObject::connect(edit, &EditBoxWidget::focusLost, dialog_, [this, id] { handler_.onNotify(id, Notification::LostFocus); });
            return edit;
        }
        auto* line = new QLineEdit(parent);
        if (c.style & DigitsOnly)
            line->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), line));
        QObject::connect(line, &QLineEdit::textEdited, dialog_, [this, id] { handler_.onNotify(id, Notification::TextChanged); });
        return line;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(toDisplay(c.caption), parent);
        button->setDefault(c.style & DefaultButton);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, dialog_, [this, id] { handler_.onCommand(id); });
        return button;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(toDisplay(c.caption), parent);
    case ControlKind::TabControl: {
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
    case ControlKind::Other:
        // The gizmo dialog's platform controls: each does only what it does by itself.
        if (c.caption == "trackbar")
            return new QSlider(Qt::Horizontal, parent);
        if (c.caption == "updown")
            return new QSpinBox(parent);
        if (c.caption == "datetime")
            return new QDateTimeEdit(QDateTime::currentDateTime(), parent);
        if (c.caption == "ipaddress") {
            auto* ip = new QLineEdit(parent);
            ip->setInputMask("000.000.000.000;_");
            return ip;
        }
        return new QCheckBox(toDisplay(c.caption), parent);
    }
    return new QWidget(parent);
}

void QtWindow::fitWrapMode(QPlainTextEdit* edit, const QString& text)
{
    const auto mode = hasUnbreakableRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (edit->wordWrapMode() != mode)
        edit->setWordWrapMode(mode);
}

void QtWindow::fitWrapMode(QPlainTextEdit* edit) { fitWrapMode(edit, edit->toPlainText()); }

void QtWindow::setCaption(const std::string& text) { dialog_->setWindowTitle(toDisplay(text)); }
std::string QtWindow::caption() const { return fromDisplay(dialog_->windowTitle()); }

void QtWindow::setControlText(int id, const std::string& text)
{
    QWidget* w = control(id);
    const QString value = toDisplay(text);
    settingText_ = true;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        // The wrap mode changes while the shorter-to-lay-out text is in the box.
        const bool wrapAnywhere = hasUnbreakableRun(value);
        if (wrapAnywhere)
            fitWrapMode(edit, value);
        edit->setPlainText(value);
        if (!wrapAnywhere)
            fitWrapMode(edit, value);
        lastTyped_[id] = value;
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(value);
        // A one-line label grows to its text where this face is wider than the template's.
        if (!label->wordWrap())
            label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(value);
    }
    settingText_ = false;
}

std::string QtWindow::controlText(int id) const
{
    QWidget* w = control(id);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        return fromDisplay(edit->document()->toRawText()); // keeps no-break spaces (0xA0)
    if (auto* line = qobject_cast<QLineEdit*>(w))
        return fromDisplay(line->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        return fromDisplay(label->text());
    if (auto* button = qobject_cast<QPushButton*>(w))
        return fromDisplay(button->text());
    return {};
}

void QtWindow::enableControl(int id, bool enabled) { control(id)->setEnabled(enabled); }
bool QtWindow::isControlEnabled(int id) const { return control(id)->isEnabled(); }
void QtWindow::setFocus(int id) { control(id)->setFocus(); }

int QtWindow::focusedControl() const
{
    for (const auto& [id, w] : controls_)
        if (w->hasFocus())
            return id;
    return 0;
}

void QtWindow::enableMenuItem(int id, bool enabled) { actions_.at(id)->setEnabled(enabled); }

void QtWindow::checkMenuItem(int id, bool checked)
{
    checked_[id] = checked;
    actions_.at(id)->setChecked(checked);
}

bool QtWindow::isMenuItemEnabled(int id) const { return actions_.at(id)->isEnabled(); }
bool QtWindow::isMenuItemChecked(int id) const { return checked_.at(id); }

static ListViewWidget* listOf(QWidget* w) { return static_cast<ListViewWidget*>(w); }

void QtWindow::listDeleteAll(int id) { listOf(control(id))->clear(); }

void QtWindow::listInsertRow(int id, int index, const std::string& text)
{
    auto* item = new QTreeWidgetItem(QStringList{toDisplay(text)});
    listOf(control(id))->insertTopLevelItem(index, item);
}

void QtWindow::listDeleteRow(int id, int index) { delete listOf(control(id))->takeTopLevelItem(index); }
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

void QtWindow::setEditLimit(int id, int characters)
{
    editLimits_[id] = characters;
    if (auto* line = qobject_cast<QLineEdit*>(control(id)))
        line->setMaxLength(characters);
}

void QtWindow::editUndo(int id)
{
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control(id)))
        edit->undo();
}
void QtWindow::editCut(int id)
{
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control(id)))
        edit->cut();
}
void QtWindow::editCopy(int id)
{
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control(id)))
        edit->copy();
}
void QtWindow::editPaste(int id)
{
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control(id)))
        edit->paste();
}

void QtWindow::createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap)
{
    ControlTemplate c{childId, kind, 0, 0, 0, 0, "", style, bitmap};
    QWidget* w = makeControl(c, control(parentId), 1.0, 1.0);
    if (kind == ControlKind::StaticBitmap) {
        const QPixmap pixmap = bitmapResource(bitmap);
        w->setGeometry(rect.left, rect.top, std::max(pixmap.width(), rect.right - rect.left), std::max(pixmap.height(), rect.bottom - rect.top));
    } else {
        w->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
    w->setObjectName(QString("control-%1").arg(childId));
    w->hide();
    controls_[childId] = w;
}

void QtWindow::showControl(int id, bool visible) { control(id)->setVisible(visible); }
bool QtWindow::isControlVisible(int id) const { return control(id)->isVisibleTo(dialog_); }

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
    tabBarOf(control(id))->insertTab(index, toDisplay(caption));
    settingText_ = false;
}

int QtWindow::tabCurrent(int id) const { return tabBarOf(control(id))->currentIndex(); }

PixelRect QtWindow::screenRect() const
{
    const QRect r = dialog_->frameGeometry();
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void QtWindow::moveTo(int left, int top)
{
    dialog_->move(left, top);
    dialog_->repaint();
}

void QtWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, toDisplay(caption),
        toDisplay(text), QMessageBox::Ok, dialog_);
    box.setObjectName("messagebox");
    box.exec();
}

FileChoice QtWindow::chooseFileToOpen(const std::string& filter)
{
    QString path;
    if (!nextFileChoices().empty()) {
        path = QString::fromStdString(nextFileChoices().front().path);
        nextFileChoices().pop_front();
    } else {
        path = QFileDialog::getOpenFileName(dialog_, "Open", QString(), qtFilter(filter));
    }
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    QDir::setCurrent(info.absolutePath());
    return {QDir::toNativeSeparators(info.absoluteFilePath()).toStdString(), info.fileName().toStdString()};
}

void QtWindow::showHelpTopics()
{
    HelpViewer viewer(dialog_);
    viewer.exec();
}

void QtWindow::endDialog(int result) { dialog_->done(result); }

} // namespace scrivlet::ui
