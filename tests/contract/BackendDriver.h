#pragma once

// What the contract suite needs from a backend: its windows, and a user who
// acts on them with the backend's own input (real mouse and key events where
// it has them). Every action aims at the topmost window: the main window, or
// the modal dialog that is up.

#include "resources/ResourceIds.h"
#include "ui/Window.h"
#include "ui/headless/HeadlessWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace scrivlet::contract {

// One notification as the handler saw it, with the list's mark at that moment.
struct Report {
    int control;
    ui::Notification what;
    int markAtReport;
};

// A dialog that only listens: records commands and notifications. OK and
// Cancel end it when asked to.
class RecordingDialog : public ui::DialogHandler {
public:
    explicit RecordingDialog(int listId = 0, bool endsOnOkCancel = false) : listId_(listId), endsOnOkCancel_(endsOnOkCancel) {}
    void onCommand(int id) override
    {
        commands.push_back(id);
        if (endsOnOkCancel_ && (id == ui::IdOk || id == ui::IdCancel))
            window_->endDialog(id);
        // The Edit menu's requests go to the edit box, as the main window routes them.
        if (id == ids::EditUndo)
            window_->editUndo(ids::EditBox);
        else if (id == ids::EditCut)
            window_->editCut(ids::EditBox);
        else if (id == ids::EditCopy)
            window_->editCopy(ids::EditBox);
        else if (id == ids::EditPaste)
            window_->editPaste(ids::EditBox);
    }
    void onNotify(int control, ui::Notification what) override
    {
        reports.push_back({control, what, control == listId_ && listId_ != 0 ? window_->listSelectionMark(listId_) : -2});
    }
    bool onCloseRequest() override
    {
        ++closeRequests;
        return allowClose;
    }
    void onFilesDropped(const std::vector<std::string>& paths) override { dropped.push_back(paths); }
    struct PictureMouse {
        int control;
        ui::MouseAction action;
        int x, y;
        bool operator==(const PictureMouse&) const = default;
    };
    void onPictureMouse(int control, ui::MouseAction action, int x, int y) override { mouse.push_back({control, action, x, y}); }
    std::vector<PictureMouse> mouse; // presses and drags on pictures, in order
    int count(int control, ui::Notification what) const
    {
        int n = 0;
        for (const Report& r : reports)
            n += r.control == control && r.what == what;
        return n;
    }

    std::vector<int> commands;
    std::vector<Report> reports;
    std::vector<std::vector<std::string>> dropped; // each drop's files
    int closeRequests = 0;
    bool allowClose = true; // what the handler answers Escape and the close box
    // The tip for a character of an edit box (none when empty).
    std::function<std::string(int control, int index)> tips;
    std::string toolTipAt(int control, int index) override { return tips ? tips(control, index) : std::string(); }

private:
    int listId_;
    bool endsOnOkCancel_;
};

// How a menu item is drawn while its menu is open, judged from the pixels (the
// in-memory backend, which draws nothing, answers from its state).
struct MenuItemLook {
    bool found = false;
    int checkInk = 0;      // dark pixels in the check column, left of the caption
    int darkestText = 255; // the darkest grey level of the caption: gray text is lighter
};

class BackendDriver {
public:
    virtual ~BackendDriver() = default;
    virtual std::string name() const = 0;

    // The main window (template 102) for `handler`, initialised and shown.
    virtual ui::Window& openMain(ui::DialogHandler& handler) = 0;
    // Runs the dialog of `templateId` modally over the main window; `user` acts
    // while it is up. A dialog still open when `user` returns is cancelled.
    virtual int runModal(int templateId, ui::DialogHandler& handler, const std::function<void()>& user) = 0;

    virtual void chooseMenu(int commandId) = 0;       // opens its menu with the mouse and clicks the item
    virtual MenuItemLook menuItemLook(int commandId) = 0; // opens its menu, looks at the item, closes it
    virtual void openAndCloseMenu(int commandId) = 0; // opens the menu holding it, then closes it unchosen
    virtual void clickRow(int listId, int row) = 0;
    virtual void rightClickRow(int listId, int row) = 0;
    virtual void clickControl(int id) = 0; // a click in the middle of a control (a picture, a disabled button)
    virtual void doubleClickRow(int listId, int row) = 0;
    virtual void dragRows(int listId, int fromRow, int toRow) = 0;
    virtual void pressDownKey(int listId) = 0;
    virtual void typeAhead(int listId, char letter) = 0;
    virtual void clickInto(int controlId) = 0;                     // takes the focus with a click
    virtual void typeKeys(int editId, const std::string& keys) = 0; // at the end of the text; '\r' is Enter
    virtual void selectAllIn(int editId) = 0;
    // A key combination such as "Ctrl+V" to the control, which takes the focus first.
    virtual void pressKeys(int controlId, const std::string& keys) = 0;
    virtual void pressEnter() = 0;
    virtual void pressEscape() = 0;
    virtual void pressCloseBox() = 0; // a click on the title bar's close box, where there is one
    // Whether the window the user acts on (a modal dialog, else the main window) is still up.
    virtual bool topWindowIsUp() = 0;
    virtual void clickButton(int id) = 0;
    virtual void selectTab(int tabId, int index) = 0;

    virtual int highlightedRow(int listId) = 0;
    // Runs `causeIt`, expecting one message box: its words, owner, icon and
    // buttons, answered with OK. A box that never came gives an empty caption.
    virtual ui::MessageRecord answerMessageBox(const std::function<void()>& causeIt) = 0;
    // The same for a question, answered with the button of `answer`.
    virtual ui::MessageRecord answerQuestion(ui::Answer answer, const std::function<void()>& causeIt) = 0;
    // Runs `causeIt`, which shows the open-file dialog; types `path` into its
    // file name field and presses Enter, as a user who knows the path does.
    virtual void typeIntoOpenDialog(const std::string& path, const std::function<void()>& causeIt) = 0;
    // The mouse is moved onto character `index` of an edit box (as the program
    // counts) and rests there: the tip then shown, empty when none comes up.
    virtual std::string hoverTip(int editId, int index) = 0;
    // The mouse rests in the empty room below an edit box's text: the tip then
    // shown (a backend without a screen has no such room and shows none).
    virtual std::string hoverTipBelowText(int editId) = 0;
    // Files dropped on a control of the window from outside, as a file manager drops them.
    virtual void dropFiles(int controlId, const std::vector<std::string>& paths) = 0;
    // Whether the character at a place of an edit box's text (as the program
    // counts) is drawn on the warning ground.
    virtual bool editWarnedAt(int editId, int position) = 0;
    // The colour drawn in a picture control at (dx, dy) from the middle of its
    // inside, as 0xFFRRGGBB.
    virtual std::uint32_t pictureColourAt(int id, int dx, int dy) = 0;
    // The left button pressed on the picture control's pixel `pixels[0]` (of
    // the picture as the program gave it), the mouse moved with it held through
    // the others, and let go on the last.
    virtual void dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels) = 0;
};

using BackendFactory = std::function<std::unique_ptr<BackendDriver>()>;

} // namespace scrivlet::contract

namespace scrivlet::contract {

// A backend driven through the editor's own main window (MainDialog): what the
// editor's real-input scenarios need beyond the platform facts.
class EditorDriver : public BackendDriver {
public:
    struct WindowLook {
        bool minimizeBox = false, maximizeBox = false;
        std::vector<int> iconSizes; // the sizes of the window's icons, in pixels
    };

    virtual ui::Window& mainWindow() = 0;
    // The next open-file dialog's answer (the dialog itself is not shown).
    virtual void setNextFileChoice(const ui::FileChoice& choice) = 0;
    // Runs `causeIt`, which opens the dialog of `templateId` (0: any of ours);
    // `user` acts while it is up, and a dialog still open afterwards is cancelled.
    virtual void whileModalIsUp(int templateId, const std::function<void()>& user, const std::function<void()>& causeIt) = 0;
    // The modal dialog the user acts on now (inside `user` of whileModalIsUp).
    virtual ui::Window& topModal() = 0;
    // A picture of the window the user acts on, for a person to look at.
    virtual void screenshot(const char* name) = 0;
    // Runs `causeIt`, which shows the platform's open-file dialog: the file
    // types it offers, as shown; then the dialog is cancelled.
    virtual std::vector<std::string> openDialogFileTypes(const std::function<void()>& causeIt) = 0;
    virtual WindowLook windowLook(ui::Window& window) = 0;
    // A control's rectangle in its window's client area, in pixels.
    virtual ui::PixelRect controlRect(int id) = 0;
    virtual void resizeMainWindowBy(int dx, int dy) = 0;
    virtual bool checkBoxIsChecked(int id) = 0;
    // The static texts of the window the user acts on that its control cuts
    // short in the face the platform really uses, or that a field or a button
    // is drawn over, each as its text.
    virtual std::vector<std::string> clippedTexts() = 0;
    // How the edit box shows the character at a place of its text (as the program counts).
    enum class Mark { Plain, Group, Error };
    virtual Mark editMarkAt(int editId, int position) = 0;
    // Message boxes that came up while no step expected one, answered with OK
    // so that nothing hangs: their words, one a line (empty when none came).
    virtual void watchForUnexpectedBoxes() = 0;
    virtual std::string unexpectedBoxes() = 0;
};

using EditorDriverFactory = std::function<std::unique_ptr<EditorDriver>()>;

} // namespace scrivlet::contract
