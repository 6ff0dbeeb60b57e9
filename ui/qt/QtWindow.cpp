#include "QtWindow.h"

#include "QtBackend.h"
#include "text/TextEncoder.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QFontDatabase>
#include <QShortcut>
#include <QTextBlock>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QFontMetricsF>
#include <QTabBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace scrivlet::ui {

namespace {

// A fixed-pitch face at the dialog face's size or larger, so hex columns line up.
QFont fixedPitchFont(const QFont& dialogFont)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance('i') != metrics.horizontalAdvance('W')) { // no fixed face of the platform's own
        font = QFont("Monospace");
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setPointSizeF(std::max(dialogFont.pointSizeF(), 8.0));
    return font;
}

// A run-time text of lines "Name:<blanks>value" shown as two aligned columns;
// the text read back is the text as set.
QString columnsHtml(const QString& text)
{
    static const QRegularExpression split("^(.*?\\S)\\s{2,}(\\S.*)$");
    QString html = "<table cellspacing=0 cellpadding=0>";
    for (const QString& line : text.split('\n')) {
        const QRegularExpressionMatch m = split.match(line);
        if (m.hasMatch())
            html += "<tr><td style='padding-right:8px'>" + m.captured(1).toHtmlEscaped() + "</td><td>"
                + m.captured(2).toHtmlEscaped() + "</td></tr>";
        else
            html += "<tr><td colspan=2>" + (line.isEmpty() ? QString("&nbsp;") : line.toHtmlEscaped()) + "</td></tr>";
    }
    return html + "</table>";
}

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

} // namespace

// "Name|pattern|Name|pattern||" as Qt's name filters. Each name is shown as
// given ("All Files (*.*)"); the patterns Qt filters by follow it in
// parentheses of their own, which the dialog hides.
QStringList QtWindow::fileDialogFilters(const std::string& filter)
{
    const QStringList parts = QString::fromLatin1(filter.c_str()).split('|', Qt::SkipEmptyParts);
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns.trimmed() == "*.*")
            patterns = "*";
        choices << parts[i] + " (" + patterns.simplified() + ")";
    }
    return choices;
}

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

void ListViewWidget::keyPressEvent(QKeyEvent* event)
{
    QTreeWidget::keyPressEvent(event);
    emit keyReported();
}

void ListViewWidget::mousePressEvent(QMouseEvent* event)
{
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

namespace {
// A menu or the menu bar takes the keyboard only while it is open: no real
// change of focus, and not reported.
bool isMenuFocusReason(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}
} // namespace

void EditBoxWidget::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    if (std::exchange(menuHasKeyboard_, false) || isMenuFocusReason(event->reason()))
        return; // back from a menu: the focus never really left
    emit focusGained();
}

void EditBoxWidget::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    // Some platforms make the open menu the active window: that, too, is the
    // menu taking the keyboard for a moment.
    const QWidget* active = QApplication::activeWindow();
    if (isMenuFocusReason(event->reason())
        || (event->reason() == Qt::ActiveWindowFocusReason
            && (QApplication::activePopupWidget() || (active && active->windowType() == Qt::Popup)))) {
        menuHasKeyboard_ = true;
        return;
    }
    emit focusLost();
}

qsizetype EditBoxWidget::programLength(const QString& text)
{
    return text.size() + text.count(QChar('\n')) + text.count(QChar(QChar::ParagraphSeparator));
}

qsizetype EditBoxWidget::room() const
{
    return limit_ - (programLength(toPlainText()) - programLength(textCursor().selectedText()));
}

void EditBoxWidget::keyPressEvent(QKeyEvent* event)
{
    if (limit_ > 0 && !isReadOnly()) {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString typed = lineBreak ? QString("\n") : event->text();
        const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
        if (inserts && programLength(typed) > room())
            return; // past the limit: refused, nothing already typed is lost
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EditBoxWidget::insertFromMimeData(const QMimeData* source)
{
    if (limit_ <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // As much of the pasted text as fits.
    const QString text = source->text();
    qsizetype left = room();
    qsizetype take = 0;
    while (take < text.size() && programLength(text.mid(take, 1)) <= left)
        left -= programLength(text.mid(take++, 1));
    if (take > 0)
        insertPlainText(text.left(take));
}

void EditBoxWidget::inputMethodEvent(QInputMethodEvent* event)
{
    if (limit_ > 0 && programLength(event->commitString()) > room()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(event->commitString().left(std::max<qsizetype>(0, room())));
        QPlainTextEdit::inputMethodEvent(&cut);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

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

namespace {
QTextCharFormat groupFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(0x1F, 0x5F, 0xB0));
    return format;
}

QTextCharFormat errorFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(0xB0, 0x00, 0x00));
    format.setBackground(QColor(0xFF, 0xD8, 0xD8));
    format.setFontUnderline(true);
    return format;
}
} // namespace

BracketHighlighter::BracketHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void BracketHighlighter::textChanged(const QString& text)
{
    // One character of the document is one byte here: positions stay the same.
    const QByteArray bytes = text.toLatin1();
    std::vector<std::pair<int, int>> errors;
    for (const auto& [from, to] : bracketErrorRanges(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        errors.emplace_back(static_cast<int>(from), static_cast<int>(to));
    if (errors != errors_) {
        errors_ = std::move(errors);
        rehighlight();
    }
}

void BracketHighlighter::highlightBlock(const QString& text)
{
    // State carried from block to block: 1 while a group is open.
    bool inGroup = previousBlockState() == 1;
    int groupStart = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (!inGroup && text[i] == '[') {
            inGroup = true;
            groupStart = i;
        } else if (inGroup && text[i] == ']') {
            setFormat(groupStart, i + 1 - groupStart, groupFormat());
            inGroup = false;
        }
    }
    if (inGroup)
        setFormat(groupStart, static_cast<int>(text.size()) - groupStart, groupFormat());
    setCurrentBlockState(inGroup ? 1 : 0);
    const int blockStart = currentBlock().position();
    for (const auto& [from, to] : errors_) {
        const int start = std::max(from, blockStart);
        const int end = std::min(to, blockStart + static_cast<int>(text.size()));
        if (start < end)
            setFormat(start - blockStart, end - start, errorFormat());
    }
}

TypedLimitValidator::TypedLimitValidator(QLineEdit* edit, bool digitsOnly)
    : QValidator(edit), digitsOnly_(digitsOnly)
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { current_ = text.size(); });
}

QValidator::State TypedLimitValidator::validate(QString& input, int&) const
{
    if (digitsOnly_)
        for (QChar c : input)
            if (!c.isDigit())
                return Invalid;
    if (limit_ > 0 && input.size() > limit_ && input.size() > current_)
        return Invalid;
    return Acceptable;
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

bool DialogWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->property("reportsClicks").toBool()) {
        handler_.onNotify(watched->property("controlId").toInt(), Notification::Click);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QtWindow::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }

// A CR LF pair is a line break. A lone CR or LF (a dictionary string can hold
// one) shows as the control picture of its byte, which no Latin-1 byte can be
// confused with, and comes back as that one byte.
constexpr char16_t LoneLineFeed = u'\u240A';
constexpr char16_t LoneCarriageReturn = u'\u240D';

QString QtWindow::toLatin1Text(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string QtWindow::fromLatin1Text(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString QtWindow::toDisplay(const std::string& text)
{
    QString s;
    s.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            s += QChar('\n');
            ++i;
        } else if (c == '\r') {
            s += QChar(LoneCarriageReturn);
        } else if (c == '\n') {
            s += QChar(LoneLineFeed);
        } else {
            s += QChar(c);
        }
    }
    return s;
}

std::string QtWindow::fromDisplay(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            bytes += "\r\n";
        else if (u == LoneLineFeed)
            bytes += '\n';
        else if (u == LoneCarriageReturn)
            bytes += '\r';
        else
            bytes += static_cast<char>(u < 0x100 ? u : '?'); // as Latin-1 does with what it cannot hold
    }
    return bytes;
}

QtWindow::QtWindow(const DialogTemplate& t, DialogHandler& handler, QWidget* owner) : handler_(handler)
{
    dialog_ = new DialogWidget(handler, owner);
    dialog_->setObjectName(QString("dialog-%1").arg(t.id));
    dialog_->setWindowTitle(toLatin1Text(t.caption));
    QIcon icon(":/art/icon-32.png");
    icon.addFile(":/art/icon-16.png");
    dialog_->setWindowIcon(icon);
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
    if (t.resizable)
        content_->setMinimumSize(base);
    else
        content_->setFixedSize(base);
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
        placed_.push_back({w, w->geometry(), c.anchor});
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
        QMenu* menu = target->addMenu(toLatin1Text(m.caption));
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(toLatin1Text(item.caption));
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

QWidget* QtWindow::makeControl(const ControlTemplate& c, QWidget* parent, double scaleX, double scaleY)
{
    (void)scaleX;
    (void)scaleY;
    const int id = c.id;
    switch (c.kind) {
    case ControlKind::StaticText: {
        auto* label = new QLabel(toLatin1Text(c.caption), parent);
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
        list->setColumnWidth(0, ListColumnWidth);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        QObject::connect(list, &ListViewWidget::clickReported, dialog_, [this, id] { handler_.onNotify(id, Notification::Click); });
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
            edit->setTabChangesFocus(true); // Tab moves between controls, as in every dialog
            if (c.style & FixedPitch)
                edit->setFont(fixedPitchFont(dialog_->font()));
            if (c.style & CodeColours) {
                auto* colours = new BracketHighlighter(edit->document());
                QObject::connect(edit, &QPlainTextEdit::textChanged, colours, [edit, colours] { colours->textChanged(edit->toPlainText()); });
            }
            QObject::connect(edit, &QPlainTextEdit::textChanged, dialog_, [this, id, edit] {
                if (settingText_)
                    return;
                fitWrapMode(edit);
                handler_.onNotify(id, Notification::TextChanged);
            });
            QObject::connect(edit, &EditBoxWidget::focusGained, dialog_, [this, id] { handler_.onNotify(id, Notification::GotFocus); });
            QObject::connect(edit, &EditBoxWidget::focusLost, dialog_, [this, id] { handler_.onNotify(id, Notification::LostFocus); });
            return edit;
        }
        auto* line = new QLineEdit(parent);
        line->setValidator(new TypedLimitValidator(line, c.style & DigitsOnly));
        QObject::connect(line, &QLineEdit::textEdited, dialog_, [this, id] { handler_.onNotify(id, Notification::TextChanged); });
        return line;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(toLatin1Text(c.caption), parent);
        button->setDefault(c.style & DefaultButton);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, dialog_, [this, id] { handler_.onCommand(id); });
        return button;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(toLatin1Text(c.caption), parent);
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
        if (c.caption == "datetime") {
            // A date picker shows the short date, as the platform's does.
            auto* date = new QDateEdit(QDate::currentDate(), parent);
            date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
            date->setCalendarPopup(true);
            return date;
        }
        if (c.caption == "ipaddress") {
            auto* ip = new QLineEdit(parent);
            ip->setInputMask("000.000.000.000;_");
            return ip;
        }
        return new QCheckBox(toLatin1Text(c.caption), parent);
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

void QtWindow::setCaption(const std::string& text) { dialog_->setWindowTitle(toLatin1Text(text)); }
std::string QtWindow::caption() const { return fromLatin1Text(dialog_->windowTitle()); }

void QtWindow::setControlText(int id, const std::string& text)
{
    QWidget* w = control(id);
    // The edit box holds display text with its line breaks; every other
    // control shows its bytes as they are.
    const QString value = qobject_cast<QPlainTextEdit*>(w) ? toDisplay(text) : toLatin1Text(text);
    settingText_ = true;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        // The wrap mode changes while the shorter-to-lay-out text is in the box.
        const bool wrapAnywhere = hasUnbreakableRun(value);
        if (wrapAnywhere)
            fitWrapMode(edit, value);
        edit->setPlainText(value);
        if (!wrapAnywhere)
            fitWrapMode(edit, value);
        if (auto* colours = edit->document()->findChild<BracketHighlighter*>())
            colours->textChanged(value);
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(w); label && label->property("inColumns").toBool()) {
        label->setProperty("plainText", value);
        label->setTextFormat(Qt::RichText);
        label->setText(columnsHtml(value));
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
        return fromLatin1Text(line->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        return fromLatin1Text(label->property("inColumns").toBool() ? label->property("plainText").toString() : label->text());
    if (auto* button = qobject_cast<QPushButton*>(w))
        return fromLatin1Text(button->text());
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

void QtWindow::setEditLimit(int id, int characters)
{
    // Only typing is limited: a longer text the program puts in is never cut.
    if (auto* edit = qobject_cast<EditBoxWidget*>(control(id)))
        edit->setTypingLimit(characters);
    else if (auto* line = qobject_cast<QLineEdit*>(control(id)))
        if (auto* validator = qobject_cast<TypedLimitValidator*>(const_cast<QValidator*>(line->validator())))
            validator->setLimit(characters);
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
    tabBarOf(control(id))->insertTab(index, toLatin1Text(caption));
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
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, toLatin1Text(caption),
        toLatin1Text(text), QMessageBox::Ok, dialog_);
    box.setObjectName("messagebox");
    // Wide enough that the caption is not cut in the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionWidth = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + 120;
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
            grid->columnCount());
    }
    box.exec();
}

FileChoice QtWindow::chooseFileToOpen(const std::string& filter)
{
    QString path;
    if (!nextFileChoices().empty()) {
        path = QString::fromStdString(nextFileChoices().front().path);
        nextFileChoices().pop_front();
    } else {
        QFileDialog chooser(dialog_, "Open");
        chooser.setObjectName("open-file-dialog");
        chooser.setFileMode(QFileDialog::ExistingFile);
        chooser.setAcceptMode(QFileDialog::AcceptOpen);
        chooser.setOptions(QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog);
        chooser.setNameFilters(fileDialogFilters(filter));
        if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
            path = chooser.selectedFiles().front();
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
