// The multi-line edit box: focus changes reported only when real, a line
// break counted as CR LF, typing and pasting stopped at the limit, bracket
// groups in colour, and the clipboard requests done by the control itself.
#include "QtWindow.h"

#include "QtBackend.h"
#include "text/TextEncoder.h"
#include "text/TextNotes.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QSignalBlocker>
#include <QToolTip>
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

// A menu or the menu bar takes the keyboard only while it is open: no real
// change of focus, and not reported.
bool isMenuFocusReason(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

QTextCharFormat groupFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(0x1F, 0x5F, 0xB0));
    return format;
}

// Text past a limit: an amber ground under whatever colour the text has.
const QColor WarningGround(0xFF, 0xE0, 0xA0);

QTextCharFormat errorFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(0xB0, 0x00, 0x00));
    format.setBackground(QColor(0xFF, 0xD8, 0xD8));
    format.setFontUnderline(true);
    return format;
}

} // namespace

void EditBoxWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore(); // the window takes files: they are no text to type
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

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
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        setProperty("undoing", true);
        QPlainTextEdit::keyPressEvent(event);
        setProperty("undoing", false);
        return;
    }
    if (limit_ > 0 && !isReadOnly()) {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString typed = lineBreak ? QString("\n") : event->text();
        // A key with Ctrl or Alt is a command (Ctrl+Z, Ctrl+C), even where it carries a letter.
        const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const bool inserts = lineBreak || (!command && !typed.isEmpty() && typed.at(0).isPrint());
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

bool EditBoxWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTipFor) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int at = characterAt(help->pos());
        const QString tip = at < 0 ? QString() : toolTipFor(QtWindow::programPlaces(toPlainText())[static_cast<std::size_t>(at)]);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

int EditBoxWidget::characterAt(QPoint point) const
{
    // The nearest place may be far from the point (below the last line, past
    // a line's end): only a character whose own box holds the point counts.
    const int nearest = cursorForPosition(point).position();
    for (int place : {nearest, nearest - 1}) {
        if (place < 0 || place >= document()->characterCount() - 1)
            continue;
        QTextCursor from(document()), to(document());
        from.setPosition(place);
        to.setPosition(place + 1);
        const QChar drawn = document()->characterAt(place);
        if (drawn == QChar::ParagraphSeparator)
            continue; // a line break: no box of its own to rest on
        const QRect left = cursorRect(from), right = cursorRect(to);
        // The last character of a wrapped line ends where its own width does.
        const int rightEdge = right.top() == left.top() ? right.left() : left.left() + fontMetrics().horizontalAdvance(drawn);
        if (point.x() >= left.left() && point.x() < rightEdge && point.y() >= left.top() && point.y() <= left.bottom())
            return place;
    }
    return -1;
}

void EditBoxWidget::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    const auto* colours = document()->findChild<BracketHighlighter*>();
    if (!colours)
        return;
    // A line break in error: a box where its mark is drawn, at the end of its line.
    QPainter painter(viewport());
    const int width = fontMetrics().horizontalAdvance(QChar(0x00B6));
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && block.next().isValid(); block = block.next()) {
        const int end = block.position() + block.length() - 1;
        if (!colours->marksBreakAt(end))
            continue;
        QTextCursor at(document());
        at.setPosition(end);
        const QRect caret = cursorRect(at);
        if (caret.top() > viewport()->height())
            break;
        const QRect box(caret.left() + 1, caret.top(), width, caret.height());
        painter.fillRect(box, QColor(0xFF, 0xD8, 0xD8));
        painter.setPen(QColor(0xB0, 0x00, 0x00));
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawText(box, Qt::AlignCenter, QString(QChar(0x00B6)));
    }
}

bool BracketHighlighter::marksBreakAt(int documentPosition) const
{
    for (const auto& [from, to] : errors_)
        if (documentPosition >= from && documentPosition < to)
            return true;
    return false;
}

BracketHighlighter::BracketHighlighter(QTextDocument* document, QObject* quiet) : QSyntaxHighlighter(document), quiet_(quiet) {}

void BracketHighlighter::textChanged(const QString& text)
{
    // The checks read the program's text; their places are taken back to the document's.
    const std::string program = QtWindow::fromDisplay(text);
    const std::vector<int> places = QtWindow::programPlaces(text);
    const auto toDocument = [&](std::size_t at) { return QtWindow::documentPlace(places, static_cast<int>(at)); };
    std::vector<std::pair<int, int>> errors;
    for (const auto& [from, to] : bracketErrorRanges(program))
        errors.emplace_back(toDocument(from), toDocument(to));
    // Characters the game cannot show are marked as errors are (those with a byte are written all the same).
    for (const auto& [from, to] : unshowableRanges(program))
        errors.emplace_back(toDocument(from), toDocument(to));
    if (errors != errors_) {
        errors_ = std::move(errors);
        const QSignalBlocker quiet(quiet_);
        rehighlight();
        if (auto* edit = qobject_cast<QPlainTextEdit*>(quiet_))
            edit->viewport()->update(); // the marks of line breaks
    }
}

void BracketHighlighter::setWarnings(std::vector<std::pair<int, int>> ranges)
{
    if (ranges == warnings_)
        return;
    warnings_ = std::move(ranges);
    const QSignalBlocker quiet(quiet_);
    rehighlight();
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
    for (const auto& [from, to] : warnings_) {
        const int start = std::max(from, blockStart);
        const int end = std::min(to, blockStart + static_cast<int>(text.size()));
        for (int i = start; i < end; ++i) {
            QTextCharFormat marked = format(i - blockStart);
            marked.setBackground(WarningGround);
            setFormat(i - blockStart, 1, marked);
        }
    }
    for (const auto& [from, to] : errors_) {
        const int start = std::max(from, blockStart);
        const int end = std::min(to, blockStart + static_cast<int>(text.size()));
        if (start < end)
            setFormat(start - blockStart, end - start, errorFormat());
    }
}

QWidget* QtWindow::makeEditBox(const ControlTemplate& c, QWidget* parent)
{
    const int id = c.id;
    auto* edit = new EditBoxWidget(parent);
    edit->setReadOnly(c.style & ReadOnly);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setTabChangesFocus(true); // Tab moves between controls, as in every dialog
    if (c.style & FixedPitch)
        edit->setFont(fixedPitchFont(dialog_->font()));
    if (c.style & CodeColours) {
        // Line breaks are shown (they are written as two bytes of codes).
        QTextOption option = edit->document()->defaultTextOption();
        option.setFlags(option.flags() | QTextOption::ShowLineAndParagraphSeparators);
        edit->document()->setDefaultTextOption(option);
        auto* colours = new BracketHighlighter(edit->document(), edit);
        QObject::connect(edit, &QPlainTextEdit::textChanged, colours, [edit, colours] { colours->textChanged(edit->toPlainText()); });
    }
    QObject::connect(edit, &QPlainTextEdit::textChanged, dialog_, [this, id, edit] {
        if (settingText_)
            return;
        fitWrapMode(edit);
        handler_.onNotify(id, Notification::TextChanged);
    });
    // The caret moving on its own (a click, an arrow key); typing reports the
    // text instead. Every change of the text is counted (the document's own
    // revision goes back on an undo, so it cannot tell one).
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
        [edit](int, int, int) { edit->setProperty("textChanges", edit->property("textChanges").toInt() + 1); });
    QObject::connect(edit, &QPlainTextEdit::cursorPositionChanged, dialog_, [this, id, edit] {
        const int changes = edit->property("textChanges").toInt();
        const bool typed = edit->property("caretChanges").toInt() != changes;
        edit->setProperty("caretChanges", changes);
        // An undo puts the caret back after it changed the text: the change is the news.
        if (!settingText_ && !typed && !edit->property("undoing").toBool())
            handler_.onNotify(id, Notification::CaretMoved);
    });
    edit->toolTipFor = [this, id](int index) { return toUiText(handler_.toolTipAt(id, index)); };
    QObject::connect(edit, &EditBoxWidget::focusGained, dialog_, [this, id] { handler_.onNotify(id, Notification::GotFocus); });
    QObject::connect(edit, &EditBoxWidget::focusLost, dialog_, [this, id] { handler_.onNotify(id, Notification::LostFocus); });
    return edit;
}

void QtWindow::setEditBoxText(QPlainTextEdit* edit, const QString& value)
{
    // The wrap mode changes while the shorter-to-lay-out text is in the box.
    const bool wrapAnywhere = hasUnbreakableRun(value);
    if (wrapAnywhere)
        fitWrapMode(edit, value);
    edit->setPlainText(value);
    if (!wrapAnywhere)
        fitWrapMode(edit, value);
    if (auto* colours = edit->document()->findChild<BracketHighlighter*>())
        colours->textChanged(value);
    edit->setProperty("caretChanges", edit->property("textChanges").toInt());
}

void QtWindow::fitWrapMode(QPlainTextEdit* edit, const QString& text)
{
    const auto mode = hasUnbreakableRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (edit->wordWrapMode() != mode)
        edit->setWordWrapMode(mode);
}

void QtWindow::fitWrapMode(QPlainTextEdit* edit) { fitWrapMode(edit, edit->toPlainText()); }

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
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control(id))) {
        edit->setProperty("undoing", true);
        edit->undo();
        edit->setProperty("undoing", false);
    }
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

void QtWindow::editReplaceSelection(int id, const std::string& text)
{
    auto* edit = qobject_cast<QPlainTextEdit*>(control(id));
    if (!edit)
        return;
    // One edit block: one step of the edit box's own undo, one change reported.
    QTextCursor cursor = edit->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(toDisplay(text));
    cursor.endEditBlock();
    edit->setTextCursor(cursor);
}

void QtWindow::setEditWarnings(int id, const std::vector<std::pair<int, int>>& ranges)
{
    auto* edit = qobject_cast<QPlainTextEdit*>(control(id));
    auto* colours = edit ? edit->document()->findChild<BracketHighlighter*>() : nullptr;
    if (!colours)
        return;
    // The program counts a line break as two characters and a letter as its UTF-8 bytes.
    const std::vector<int> places = programPlaces(edit->toPlainText());
    const auto toDocument = [&](int at) { return documentPlace(places, at); };
    std::vector<std::pair<int, int>> marked;
    for (const auto& [from, to] : ranges)
        marked.emplace_back(toDocument(from), toDocument(to));
    colours->setWarnings(std::move(marked));
}

int QtWindow::editCaret(int id) const
{
    auto* edit = qobject_cast<QPlainTextEdit*>(control(id));
    if (!edit)
        return 0;
    // Each line break before the caret is two characters to the program, each letter its UTF-8 bytes.
    return programPlaces(edit->toPlainText())[static_cast<std::size_t>(edit->textCursor().position())];
}

} // namespace scrivlet::ui
