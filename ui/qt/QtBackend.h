#pragma once

#include <QDropEvent>

// Every QObject subclass of the Qt backend, so moc runs in one place.

#include "ui/Window.h"

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSyntaxHighlighter>
#include <QLineEdit>
#include <QValidator>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QInputMethodEvent;
class QMimeData;
class QTabBar;

namespace scrivlet::ui {

// The list view: reports a key after it has acted on it, and a click after the
// mouse button is released, so the mark has moved to the row reached in both
// cases: a drag from one row to another ends as a click on the last.
class ListViewWidget : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
signals:
    void keyReported();
    void clickReported();
    void rightClickReported();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
    bool secondClick_ = false; // the release ending a double click is no click of its own
};

// The multi-line edit box: reports real focus changes (not the menu taking the
// keyboard for a moment), counts a line break as CR LF and refuses typed or
// pasted text past its limit without touching what is there.
class EditBoxWidget : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
    void setTypingLimit(int characters) { limit_ = characters; }
    // Characters as the program reads them: each line break is two.
    static qsizetype programLength(const QString& text);
    // Where the mouse rests on the text: the tip for a character, as the program counts it.
    std::function<QString(int)> toolTipFor;
signals:
    void focusGained();
    void focusLost();

protected:
    // Files dragged over the box go to the window, not into the text.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The document place of the character drawn under a point, -1 for none.
    int characterAt(QPoint point) const;
    qsizetype room() const;
    int limit_ = 0;
    bool menuHasKeyboard_ = false;
};

// A one-line text that ends in "..." where it does not fit its place, and
// then shows whole as a tip; it reads back whole.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();
    QString full_;
};

// Pixels the program draws: at their size in the middle, or scaled down as a
// whole where they are larger; the rest in the colour of the top-left pixel.
class PictureWidget : public QFrame {
public:
    using QFrame::QFrame;
    void setImage(QImage image);
    const QImage& image() const { return image_; }
    QRect imageRect() const; // where the picture is drawn
    // Told of the left button pressed on the picture and of each move with it held, in the picture's pixels.
    std::function<void(MouseAction, int, int)> onMouse;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    bool pressed_ = false;
};

// The typing limit of a one-line edit: text longer than the limit is refused
// unless it is shorter than what stands there (a longer text put in by the
// program may only shrink). Digits only where the control asks for it.
class TypedLimitValidator : public QValidator {
    Q_OBJECT
public:
    TypedLimitValidator(QLineEdit* edit, bool digitsOnly);
    void setLimit(int characters) { limit_ = characters; }
    State validate(QString& input, int& position) const override;

private:
    bool digitsOnly_;
    int limit_ = 0;
    qsizetype current_ = 0; // the length standing in the edit before a change
};

// The dialog itself: Escape and the close box ask the handler; Enter presses
// the default button only, never ends the dialog on its own.
class DialogWidget : public QDialog {
    Q_OBJECT
public:
    DialogWidget(DialogHandler& handler, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files from a file manager, dropped anywhere on the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DialogHandler& handler_;
};

// Calls back when the watched widget changes size.
class ResizeWatcher : public QObject {
    Q_OBJECT
public:
    ResizeWatcher(QWidget* watched, std::function<void()> resized);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> resized_;
};

// Shows the bracket groups of display text in a colour of their own, and marks
// the groups that make the text a bracket error. Only the look changes: the
// text itself is what it was.
class BracketHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // `quiet` (the edit box) sends no change signal while colours change:
    // new colours are not new text.
    BracketHighlighter(QTextDocument* document, QObject* quiet);
    // Works out from the whole text which brackets are in error; highlights
    // again where that changed.
    void textChanged(const QString& text);
    // Ranges of document positions shown on the warning ground.
    void setWarnings(std::vector<std::pair<int, int>> ranges);
    // Whether the line break at a document position (a block's end) is in
    // error: formats cannot reach it, so the edit box paints its mark.
    bool marksBreakAt(int documentPosition) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    std::vector<std::pair<int, int>> errors_; // document positions [from, to) marked as in error
    std::vector<std::pair<int, int>> warnings_;
    QObject* quiet_;
};

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent);
};

} // namespace scrivlet::ui
