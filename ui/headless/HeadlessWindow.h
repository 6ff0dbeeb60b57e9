#pragma once

#include "ui/Window.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace scrivlet::ui {

struct MessageRecord {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    std::string owner;                // the caption of the window that owns the box
    std::vector<std::string> buttons; // as shown: "OK", or "Yes", "No", "Cancel"
};

// An in-memory dialog: every control and menu item of its template as plain
// state. The window code cannot tell it from a real one; tests act as the user
// through the methods under "user actions".
class HeadlessWindow : public Window {
public:
    struct Control {
        ControlKind kind = ControlKind::Other;
        std::string text;
        bool enabled = true;
        int editLimit = 0; // 0: the platform's default
        int caret = 0;
        std::string undoText;
        std::vector<std::string> rows;
        int mark = -1;
        int selected = -1;
        int hot = -1;
        int topRow = 0; // the first row in view; a list shows VisibleListRows rows
        bool visible = true;
        int parent = 0;
        PixelRect rect{}; // template controls: in dialog units, as last placed
        Anchor anchor{};
        unsigned style = 0;
        int bitmap = 0;
        std::vector<std::pair<int, int>> warnings; // an edit box's ranges marked past a limit
        PixelImage picture;                        // what a picture control shows
    };
    static constexpr int VisibleListRows = 12;
    struct MenuItem {
        bool enabled = true;
        bool checked = false;
        bool checkable = false;
        std::string caption; // set at run time
    };

    HeadlessWindow(const DialogTemplate& dialogTemplate, DialogHandler& handler);

    // Window
    void setCaption(const std::string& text) override { caption_ = text; }
    std::string caption() const override { return caption_; }
    void setControlText(int id, const std::string& text) override;
    std::string controlText(int id) const override;
    void enableControl(int id, bool enabled) override;
    bool isControlEnabled(int id) const override;
    void setFocus(int id) override { focus(id); } // as on the platform: the edit box hears of it
    int focusedControl() const override { return focused_; }
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
    int editCaret(int id) const override { return controls_.at(id).caret; }
    void editReplaceSelection(int id, const std::string& text) override;
    void setEditWarnings(int id, const std::vector<std::pair<int, int>>& ranges) override { at(id).warnings = ranges; }
    void setControlPicture(int id, const PixelImage& image) override { at(id).picture = image; }
    void placeControl(int id, int left, int top, int width, int height, Anchor anchor) override;
    void createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap) override;
    void showControl(int id, bool visible) override;
    bool isControlVisible(int id) const override;
    void tabDeleteAll(int id) override;
    void tabInsert(int id, int index, const std::string& caption) override;
    int tabCurrent(int id) const override;
    PixelRect screenRect() const override { return rect_; }
    PixelRect workArea() const override { return screenArea(); }
    // Whether inserting a first tab reports a change of tab, as some platforms
    // do; off, as no backend does today. A test may turn it on.
    static bool& tabInsertNotifies()
    {
        static bool notifies = false;
        return notifies;
    }
    // The screen every headless window stands on; a test may make it smaller.
    static PixelRect& screenArea()
    {
        static PixelRect area{0, 0, 1920, 1040};
        return area;
    }
    void moveTo(int left, int top) override;
    WindowPlacement placement() const override { return {rect_, maximized_}; }
    bool place(const WindowPlacement& placement) override
    {
        const PixelRect& r = placement.normal;
        const PixelRect screen = screenArea();
        if (r.empty() || r.right <= screen.left || r.left >= screen.right || r.bottom <= screen.top || r.top >= screen.bottom)
            return false;
        rect_ = r;
        maximized_ = placement.maximized;
        return true;
    }
    bool maximized_ = false; // a test may maximize the model
    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, QuestionButtons buttons) override;
    FileChoice chooseFileToOpen(const std::string& filter, const std::string& title = "") override;
    void setFileDialogFolder(const std::string& folder) override { fileDialogFolder = folder; }
    void setMenuItemText(int id, const std::string& caption) override { menu_.at(id).caption = caption; }
    std::string menuItemText(int id) const { return menu_.at(id).caption; }
    std::string fileDialogFolder;            // where the next open-file dialog starts
    std::vector<std::string> fileDialogFolders; // where each one started
    FileChoice chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested) override;
    void showHelpTopics() override;
    void endDialog(int result) override;

    // User actions. Each does nothing where the real control would send nothing.
    bool chooseMenu(int id);                 // false when the command is gray
    void clickRow(int listId, int row, bool right = false);
    void doubleClickRow(int listId, int row);
    void pressKey(int listId, int markAfterKey); // the list moves the mark, then reports the key
    void typeText(int editId, const std::string& text); // replaces the text as typing would
    // Types key by key at the end of the text; '\r' is the Enter key (a CR LF
    // pair). Keys past the limit are refused, one by one.
    void typeKeys(int editId, const std::string& keys);
    void dragRows(int listId, int fromRow, int toRow); // press on one row, release on another
    void pressEnter();      // a focused button takes it, then the default button, else OK
    void pressCloseBox() { pressEscape(); }
    // A key combination such as "Ctrl+O": a menu item's shortcut (nothing while
    // it is gray) or one of the dialog's accelerators. False when nothing took it.
    bool pressShortcut(const std::string& keys);
    void focus(int editId);
    void moveCaret(int editId, int position); // a click or an arrow key in the text
    void dropFiles(const std::vector<std::string>& paths) { handler_.onFilesDropped(paths); }
    // The left button pressed on pixel (x, y) of a picture control's picture,
    // then the mouse moved with it held through each later point, and let go.
    // A press off the picture reports nothing.
    void dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels);
    void blur(int editId);
    void clickButton(int id);
    void type(int editId, const std::string& text) { typeText(editId, text); }
    void pressEscape();
    void selectTab(int tabId, int index); // the user picks a tab
    void clickControl(int id);            // a click on a picture that reports clicks
    // The mouse rests on character `index` of an edit box: the tip shown, if any.
    std::string hover(int editId, int index) { return handler_.toolTipAt(editId, index); }

    // Answers for the open-file dialog, taken in order; none left: the user cancels.
    std::deque<FileChoice> fileAnswers;
    std::vector<std::string> lastFileFilters;
    std::vector<std::string> fileDialogTitles; // as each open or save dialog was titled
    // Answers for the save dialog, and the name it suggested each time.
    std::deque<FileChoice> saveAnswers;
    std::vector<std::string> suggestedNames;
    // Answers to questions, taken in order; none left: the user cancels (or says No).
    std::deque<Answer> answers;
    std::vector<MessageRecord> messages; // every box and question, in order
    int helpRequests = 0;
    // Called while a message box is up (a test may act, e.g. check the owner).
    std::function<void(const MessageRecord&)> onMessageBox;

    bool ended() const { return ended_; }
    int endResult() const { return endResult_; }
    const Control& control(int id) const;
    bool isMenuItemCheckable(int id) const { return menu_.at(id).checkable; }
    std::string clipboard;

private:
    Control& at(int id);
    bool listReports(int listId) const;

    DialogHandler& handler_;
    const DialogTemplate& template_;
    std::string caption_;
    std::map<int, Control> controls_;
    std::map<int, MenuItem> menu_;
    int focused_ = 0;
    PixelRect rect_{300, 200, 672, 379};
    bool ended_ = false;
    int endResult_ = 0;
};

} // namespace scrivlet::ui
