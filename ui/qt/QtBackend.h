#pragma once

// Every QObject subclass of the Qt backend, so moc runs in one place.

#include "ui/Window.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <map>

class QAction;
class QTabBar;

namespace scrivlet::ui {

// The list view: reports a key after it has acted on it, so the mark has moved.
class ListViewWidget : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
signals:
    void keyReported();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The multi-line edit box: reports focus changes.
class EditBoxWidget : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
signals:
    void focusGained();
    void focusLost();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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

private:
    DialogHandler& handler_;
};

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent);
};

} // namespace scrivlet::ui
