// The dialog frame: the window built from its template (dialog units to
// pixels in the template's face), controls by id, anchors that follow a
// resize, the keys every dialog answers (Escape and the close box ask the
// handler; Enter goes to the focused or the default button), and texts set and
// read by control kind.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace scrivlet::ui {

namespace {

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

ResizeWatcher::ResizeWatcher(QWidget* watched, std::function<void()> resized)
    : QObject(watched), resized_(std::move(resized))
{
    watched->installEventFilter(this);
}

bool ResizeWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        resized_();
    return QObject::eventFilter(watched, event);
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
        // As the dialog platform does: a focused push button takes Enter, then
        // the default button; otherwise Enter is the OK command, which each
        // dialog answers in its own way (the main window ignores it).
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        for (QPushButton* button : findChildren<QPushButton*>())
            if (button->isDefault() && button->isEnabled()) {
                button->click();
                return;
            }
        handler_.onCommand(IdOk);
        return;
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

namespace {
// The local files a drag carries (UTF-8 paths), empty for anything else.
std::vector<std::string> droppedFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(QDir::toNativeSeparators(url.toLocalFile()).toStdString());
    return paths;
}
} // namespace

void DialogWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void DialogWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (!droppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void DialogWidget::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = droppedFiles(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    handler_.onFilesDropped(paths);
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->property("reportsClicks").toBool()) {
        handler_.onNotify(watched->property("controlId").toInt(), Notification::Click);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QtWindow::QtWindow(const DialogTemplate& t, DialogHandler& handler, QWidget* owner) : handler_(handler)
{
    dialog_ = new DialogWidget(handler, owner);
    dialog_->setProperty("qtWindow", QVariant::fromValue(static_cast<void*>(this))); // for tools that find it by its widget
    dialog_->setObjectName(QString("dialog-%1").arg(t.id));
    dialog_->setWindowTitle(toUiText(t.caption));
    QIcon icon(":/art/icon-32.png");
    icon.addFile(":/art/icon-16.png");
    dialog_->setWindowIcon(icon);
    dialog_->setAcceptDrops(true);
    if (t.menu != 0) // the main window: minimize box, system menu, shown in the task bar
        dialog_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
            | (t.resizable ? Qt::WindowMaximizeButtonHint : Qt::WindowType(0)));
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
    const QSize base(static_cast<int>(std::lround(t.width * scaleX)), static_cast<int>(std::lround(t.height * scaleY)));
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    base_ = base;
    if (t.resizable)
        content_->setMinimumSize(base);
    else
        content_->setFixedSize(base);
    layout->addWidget(content_);
    QLabel* labelWithMnemonic = nullptr; // waits for the control it names
    for (const ControlTemplate& c : t.controls) {
        QWidget* w = makeControl(c, content_, scaleX);
        // A label's "&F" is the key of the control after it, as in a dialog
        // template: shown underlined, not as an ampersand.
        if (labelWithMnemonic && c.kind != ControlKind::StaticText && c.kind != ControlKind::GroupBox
            && c.kind != ControlKind::StaticBitmap) {
            labelWithMnemonic->setBuddy(w);
            labelWithMnemonic = nullptr;
        }
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == ControlKind::StaticText && hasMnemonic(c.caption))
            labelWithMnemonic = label;
        w->setGeometry(static_cast<int>(std::lround(c.left * scaleX)), static_cast<int>(std::lround(c.top * scaleY)),
            static_cast<int>(std::lround(c.width * scaleX)), static_cast<int>(std::lround(c.height * scaleY)));
        if (c.kind == ControlKind::GroupBox)
            w->lower();
        if (c.id >= 0) {
            w->setObjectName(QString("control-%1").arg(c.id));
            w->setProperty("controlId", c.id);
            controls_[c.id] = w;
        }
        placed_.push_back({w, w->geometry(), c.anchor});
        if (c.style & Hidden)
            w->hide();
        if (auto* picture = qobject_cast<QLabel*>(w); picture && c.kind == ControlKind::StaticBitmap && c.anchor.growX > 0)
            picture->setScaledContents(true); // a rule across the window stretches with it
    }
    if (t.resizable) {
        dialog_->setMinimumSize(dialog_->sizeHint());
        dialog_->resize(dialog_->sizeHint());
        new ResizeWatcher(content_, [this, base] { followSize(base); });
    } else {
        dialog_->setFixedSize(dialog_->sizeHint());
    }
    for (const Accelerator& a : t.accelerators) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(a.keys)), dialog_);
        const int command = a.command;
        QObject::connect(shortcut, &QShortcut::activated, dialog_, [this, command] {
            // A key for a button does what a click would, and nothing while it is disabled.
            QWidget* button = control(command);
            if (!button || button->isEnabled())
                handler_.onCommand(command);
        });
    }
}

QtWindow::~QtWindow() { delete dialog_; }

void QtWindow::followSize(QSize base)
{
    const int extraX = std::max(0, content_->width() - base.width());
    const int extraY = std::max(0, content_->height() - base.height());
    for (const Placed& p : placed_) {
        const auto share = [](int extra, double part) { return static_cast<int>(std::lround(extra * part)); };
        p.widget->setGeometry(p.base.x() + share(extraX, p.anchor.moveX), p.base.y() + share(extraY, p.anchor.moveY),
            p.base.width() + share(extraX, p.anchor.growX), p.base.height() + share(extraY, p.anchor.growY));
        // The list's one column keeps its width, and takes the list's growth.
        if (auto* list = qobject_cast<QTreeWidget*>(p.widget))
            list->setColumnWidth(0, ListColumnWidth + share(extraX, p.anchor.growX));
    }
}

void QtWindow::placeControl(int id, int left, int top, int width, int height, Anchor anchor)
{
    QWidget* w = control(id);
    for (Placed& p : placed_)
        if (p.widget == w) {
            p.base = QRect(static_cast<int>(std::lround(left * scaleX_)), static_cast<int>(std::lround(top * scaleY_)),
                static_cast<int>(std::lround(width * scaleX_)), static_cast<int>(std::lround(height * scaleY_)));
            p.anchor = anchor;
        }
    followSize(base_);
}

QWidget* QtWindow::control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

int QtWindow::exec() { return dialog_->exec(); }

bool QtWindow::hasMnemonic(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return true;
        ++i; // "&&" is an ampersand
    }
    return false;
}

QWidget* QtWindow::makeControl(const ControlTemplate& c, QWidget* parent, double scaleX)
{
    switch (c.kind) {
    case ControlKind::StaticText: return makeStaticText(c, parent);
    case ControlKind::StaticBitmap: return makePicture(c, parent);
    case ControlKind::ListView: return makeListView(c, parent);
    case ControlKind::Edit: return (c.style & MultiLine) ? makeEditBox(c, parent) : makeLineEdit(c, parent);
    case ControlKind::PushButton: return makeButton(c, parent);
    case ControlKind::GroupBox: return makeGroupBox(c, parent);
    case ControlKind::TabControl: return makeTabControl(c, parent, scaleX);
    case ControlKind::Other: return makeGizmo(c, parent);
    case ControlKind::Picture: return makeDrawnPicture(c, parent);
    }
    return new QWidget(parent);
}

void QtWindow::setCaption(const std::string& text) { dialog_->setWindowTitle(toUiText(text)); }
std::string QtWindow::caption() const { return fromUiText(dialog_->windowTitle()); }

void QtWindow::setControlText(int id, const std::string& text)
{
    QWidget* w = control(id);
    settingText_ = true;
    // The edit box holds display text with its line breaks; every other
    // control shows its bytes as they are.
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        setEditBoxText(edit, toDisplay(text));
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(toUiText(text));
    else if (auto* label = qobject_cast<QLabel*>(w))
        setStaticText(label, toUiText(text));
    else if (auto* button = qobject_cast<QPushButton*>(w))
        button->setText(toUiText(text));
    settingText_ = false;
}

std::string QtWindow::controlText(int id) const
{
    QWidget* w = control(id);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        return fromDisplay(edit->document()->toRawText()); // keeps no-break spaces (0xA0)
    if (auto* line = qobject_cast<QLineEdit*>(w))
        return fromUiText(line->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        return fromUiText(staticText(label));
    if (auto* button = qobject_cast<QPushButton*>(w))
        return fromUiText(button->text());
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

void QtWindow::createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap)
{
    ControlTemplate c{childId, kind, 0, 0, 0, 0, "", style, bitmap};
    QWidget* w = makeControl(c, control(parentId), 1.0);
    if (auto* label = qobject_cast<QLabel*>(w); label && kind == ControlKind::StaticText) {
        label->setWordWrap(true); // run-time texts are left-aligned and wrapping
        label->setProperty("inColumns", true);
    }
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

PixelRect QtWindow::screenRect() const
{
    const QRect r = dialog_->frameGeometry();
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

WindowPlacement QtWindow::placement() const
{
    const QRect r = dialog_->isMaximized() ? dialog_->normalGeometry() : dialog_->geometry();
    return {{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, dialog_->isMaximized()};
}

bool QtWindow::place(const WindowPlacement& placement)
{
    const PixelRect& p = placement.normal;
    const QRect wanted(p.left, p.top, p.right - p.left, p.bottom - p.top);
    // Only where a screen shows it (one taken away since would leave it out of reach).
    bool shown = false;
    for (const QScreen* screen : QGuiApplication::screens())
        shown = shown || screen->availableGeometry().intersects(wanted);
    if (wanted.isEmpty() || !shown)
        return false;
    dialog_->setGeometry(wanted);
    if (placement.maximized)
        dialog_->setWindowState(dialog_->windowState() | Qt::WindowMaximized);
    return true;
}

PixelRect QtWindow::workArea() const
{
    const QScreen* screen = dialog_->screen() ? dialog_->screen() : QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void QtWindow::moveTo(int left, int top)
{
    dialog_->move(left, top);
    dialog_->repaint();
}

void QtWindow::endDialog(int result) { dialog_->done(result); }

} // namespace scrivlet::ui
