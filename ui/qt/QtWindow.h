#pragma once

#include "ui/Window.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <deque>
#include <map>
#include <vector>

class QAction;
class QLabel;
class QPixmap;
class QPlainTextEdit;
class QWidget;

namespace scrivlet::ui {

class DialogWidget;

// A dialog template made real with Qt Widgets: each control at its dialog-unit
// position, reached by id. Display text crosses as Latin-1, so every byte
// 0x00-0xFF survives, and the edit box gives line breaks as CR LF.
class QtWindow : public Window {
public:
    QtWindow(const DialogTemplate& dialogTemplate, DialogHandler& handler, QWidget* owner);
    ~QtWindow() override;

    DialogWidget* widget() const { return dialog_; }
    QWidget* control(int id) const;
    int exec();

    // A test's answer for the next open-file (or save) dialog (taken once).
    static void setNextFileChoice(const FileChoice& choice);
    static void setNextSaveChoice(const FileChoice& choice);

    void setCaption(const std::string& text) override;
    std::string caption() const override;
    void setControlText(int id, const std::string& text) override;
    std::string controlText(int id) const override;
    void enableControl(int id, bool enabled) override;
    bool isControlEnabled(int id) const override;
    void setFocus(int id) override;
    int focusedControl() const override;
    void enableMenuItem(int id, bool enabled) override;
    void checkMenuItem(int id, bool checked) override;
    bool isMenuItemEnabled(int id) const override;
    bool isMenuItemChecked(int id) const override;
    void listDeleteAll(int id) override;
    void listInsertRow(int id, int index, const std::string& text) override;
    void listDeleteRow(int id, int index) override;
    int listRowCount(int id) const override;
    std::string listRowText(int id, int index) const override;
    int listSelectionMark(int id) const override;
    void setListSelectionMark(int id, int index) override;
    void listEnsureVisible(int id, int index) override;
    void listSelectRow(int id, int index) override;
    void setListHotItem(int id, int index) override;
    PixelRect listRowScreenRect(int id, int index) const override;
    void setEditLimit(int id, int characters) override;
    void editUndo(int id) override;
    void editCut(int id) override;
    void editCopy(int id) override;
    void editPaste(int id) override;
    int editCaret(int id) const override;
    void editReplaceSelection(int id, const std::string& text) override;
    void setEditWarnings(int id, const std::vector<std::pair<int, int>>& ranges) override;
    void setControlPicture(int id, const PixelImage& image) override;
    void placeControl(int id, int left, int top, int width, int height, Anchor anchor) override;
    void createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap) override;
    void showControl(int id, bool visible) override;
    bool isControlVisible(int id) const override;
    void tabDeleteAll(int id) override;
    void tabInsert(int id, int index, const std::string& caption) override;
    int tabCurrent(int id) const override;
    PixelRect screenRect() const override;
    PixelRect workArea() const override;
    void moveTo(int left, int top) override;
    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, QuestionButtons buttons) override;
    FileChoice chooseFileToOpen(const std::string& filter, const std::string& title = "") override;
    void setFileDialogFolder(const std::string& folder) override { fileDialogFolder_ = folder; }
    void setMenuItemText(int id, const std::string& caption) override;
    WindowPlacement placement() const override;
    bool place(const WindowPlacement& placement) override;
    FileChoice chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested) override;
    void showHelpTopics() override;
    void endDialog(int result) override;

    // The open-file dialog's choices: each name as the filter gives it, then
    // the patterns Qt filters by.
    static QStringList fileDialogFilters(const std::string& filter);
    // Display text of the edit box and the list: UTF-8, a CR LF pair as a line
    // break, a lone CR or LF as the control picture of its byte.
    static QString toDisplay(const std::string& text);
    static std::string fromDisplay(const QString& text);
    // For each place of a document's text (0 to its length), the place in the
    // program's text: a line break counts two, a character its UTF-8 bytes.
    static std::vector<int> programPlaces(const QString& document);
    // The document place of a program place (the nearest one at or before it).
    static int documentPlace(const std::vector<int>& programPlaces, int programPlace);
    // Whether a caption marks a key with "&" (not "&&").
    static bool hasMnemonic(const std::string& caption);
    // Captions, labels, one-line edits: UTF-8.
    static QString toUiText(const std::string& text);
    static std::string fromUiText(const QString& text);

private:
    std::string fileDialogFolder_;
    // Each kind of control is made (and its text set) in the file of its kind.
    QWidget* makeControl(const ControlTemplate& c, QWidget* parent, double scaleX);
    QWidget* makeStaticText(const ControlTemplate& c, QWidget* parent);
    QWidget* makePicture(const ControlTemplate& c, QWidget* parent);
    QWidget* makeDrawnPicture(const ControlTemplate& c, QWidget* parent);
    QWidget* makeListView(const ControlTemplate& c, QWidget* parent);
    QWidget* makeEditBox(const ControlTemplate& c, QWidget* parent);
    QWidget* makeLineEdit(const ControlTemplate& c, QWidget* parent);
    QWidget* makeButton(const ControlTemplate& c, QWidget* parent);
    QWidget* makeGroupBox(const ControlTemplate& c, QWidget* parent);
    QWidget* makeTabControl(const ControlTemplate& c, QWidget* parent, double scaleX);
    QWidget* makeGizmo(const ControlTemplate& c, QWidget* parent);
    void setEditBoxText(QPlainTextEdit* edit, const QString& value);
    static void setStaticText(QLabel* label, const QString& value);
    static QString staticText(const QLabel* label);
    static QPixmap bitmapResource(int number);
    void buildMenu(int menuId);
    void followSize(QSize base);
    static void fitWrapMode(QPlainTextEdit* edit, const QString& text);
    static void fitWrapMode(QPlainTextEdit* edit);

    DialogHandler& handler_;
    DialogWidget* dialog_ = nullptr;
    QWidget* content_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QAction*> actions_;
    std::map<int, bool> checked_;
    // Each control with its rectangle at the template's size and how it follows a resize.
    struct Placed {
        QWidget* widget;
        QRect base;
        Anchor anchor;
    };
    std::vector<Placed> placed_;
    double scaleX_ = 1.5, scaleY_ = 1.625; // pixels per dialog unit
    QSize base_;                           // the content's size at the template's size
    static constexpr int ListColumnWidth = 439;
    bool settingText_ = false;
};

} // namespace scrivlet::ui
