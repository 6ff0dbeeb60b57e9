#pragma once

#include "Settings.h"

#include "Template.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace scrivlet::ui {

enum class Notification { Click, RightClick, DoubleClick, KeyDown, TextChanged, GotFocus, LostFocus, TabSelectionChanged,
    CaretMoved }; // CaretMoved: in an edit box, the caret moved while the text stayed as it was

// A rectangle in pixels: left, top, right, bottom.
struct PixelRect {
    int left, top, right, bottom;
    bool empty() const { return right <= left || bottom <= top; }
};
struct WindowPlacement {
    PixelRect normal{0, 0, 0, 0};
    bool maximized = false;
};
// Pixels of a picture, rows top first, each 0xAARRGGBB (alpha is ignored).
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};
enum class MessageIcon { None, Exclamation, Question };
// The left mouse button pressed on a picture control, and the mouse moved with it held.
enum class MouseAction { Press, Drag };
// The buttons of a question, and the one the user chose.
enum class QuestionButtons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

// The button ids every dialog shares.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

class Window;

// What a dialog's code answers to: commands by id and control notifications.
class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    // Binds the live window; the backend calls it before onInitDialog.
    void attach(Window& window) { window_ = &window; }
    Window& window() { return *window_; }

    virtual void onInitDialog() {}
    virtual void onCommand(int id) { (void)id; }
    virtual void onNotify(int controlId, Notification notification) { (void)controlId; (void)notification; }
    // Escape or the close box: the dialog ends unless this returns false.
    virtual bool onCloseRequest() { return true; }
    // The tip to show while the mouse rests on character `index` of an edit
    // box (as the program counts them: a line break is two); empty for none.
    virtual std::string toolTipAt(int controlId, int index) { (void)controlId; (void)index; return {}; }
    // Files dropped anywhere on the window (from a file manager), as full
    // paths in UTF-8, in the order dropped.
    virtual void onFilesDropped(const std::vector<std::string>& paths) { (void)paths; }
    // The left button pressed on a picture control's picture, and each move
    // with it held (also off the picture, clamped to its edge), at the
    // picture's pixel (x, y) as the program gave it, whatever scale it is drawn at.
    virtual void onPictureMouse(int controlId, MouseAction action, int x, int y)
    {
        (void)controlId;
        (void)action;
        (void)x;
        (void)y;
    }

protected:
    Window* window_ = nullptr;
};

struct FileChoice {
    std::string path; // full path; empty when the user cancelled
    std::string name; // the bare file name
    int type = 0;     // the file type chosen in the filter, counted from 0
};

// A live dialog built from a template: controls and menu commands by id.
class Window {
public:
    virtual ~Window() = default;

    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;

    virtual void setControlText(int id, const std::string& text) = 0;
    virtual std::string controlText(int id) const = 0;
    virtual void enableControl(int id, bool enabled) = 0;
    virtual bool isControlEnabled(int id) const = 0;
    virtual void setFocus(int id) = 0;
    virtual int focusedControl() const = 0;

    virtual void enableMenuItem(int id, bool enabled) = 0;
    virtual void checkMenuItem(int id, bool checked) = 0;
    virtual bool isMenuItemEnabled(int id) const = 0;
    virtual bool isMenuItemChecked(int id) const = 0;

    // List view: the selection mark is an index of its own, apart from the highlight.
    virtual void listDeleteAll(int id) = 0;
    virtual void listInsertRow(int id, int index, const std::string& text) = 0;
    virtual void listDeleteRow(int id, int index) = 0;
    virtual int listRowCount(int id) const = 0;
    virtual std::string listRowText(int id, int index) const = 0;
    virtual int listSelectionMark(int id) const = 0; // -1 for none
    virtual void setListSelectionMark(int id, int index) = 0;
    virtual void listEnsureVisible(int id, int index) = 0;
    virtual void listSelectRow(int id, int index) = 0;
    virtual void setListHotItem(int id, int index) = 0;
    // Where a row of the list stands on the screen (empty when it is scrolled out of sight).
    virtual PixelRect listRowScreenRect(int id, int index) const = 0;

    // Edit box: typed-text limit and the clipboard requests.
    virtual void setEditLimit(int id, int characters) = 0;
    virtual void editUndo(int id) = 0;
    virtual void editCut(int id) = 0;
    virtual void editCopy(int id) = 0;
    virtual void editPaste(int id) = 0;
    // Where the caret stands in the edit box's text as the program reads it
    // (a line break is two characters); 0 before the first.
    virtual int editCaret(int id) const = 0;
    // Puts `text` where the caret is, in place of any selection, as typing
    // would (it can be undone; the typing limit does not cut it); the caret
    // ends after it.
    virtual void editReplaceSelection(int id, const std::string& text) = 0;
    // Marks ranges [from, to) of an edit box's text (as the program counts) in a
    // warning colour, until the next call; bracket colours stay beneath.
    virtual void setEditWarnings(int id, const std::vector<std::pair<int, int>>& ranges) = 0;

    // A picture control shows `image` at its size, centred (cut where larger).
    virtual void setControlPicture(int id, const PixelImage& image) = 0;
    // Puts a control of the template at a new place, in dialog units, with new
    // anchors, as if the template had put it there; the window keeps its size.
    virtual void placeControl(int id, int left, int top, int width, int height, Anchor anchor) = 0;

    // Controls made at run time inside `parentId` (a tab control), hidden at first.
    virtual void createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap) = 0;
    virtual void showControl(int id, bool visible) = 0;
    virtual bool isControlVisible(int id) const = 0;
    // Tab control.
    virtual void tabDeleteAll(int id) = 0;
    virtual void tabInsert(int id, int index, const std::string& caption) = 0;
    virtual int tabCurrent(int id) const = 0;

    // Screen rectangle of the window in pixels, and a move keeping its size.
    virtual PixelRect screenRect() const = 0;
    // The part of the screen windows may take (no task bar), in pixels.
    virtual PixelRect workArea() const = 0;
    virtual void moveTo(int left, int top) = 0;
    // The window's place and size when not maximized (in screen pixels, as
    // the platform places it), and whether it is maximized.
    virtual WindowPlacement placement() const = 0;
    // Puts the window there, when some screen shows that place; false (and
    // the window left where it is) when none does.
    virtual bool place(const WindowPlacement& placement) = 0;

    // Modal, owned by this window, one OK button.
    virtual void messageBox(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A question, modal and owned by this window, with the question icon; the
    // close box (and Escape, where there is a Cancel button) answers Cancel,
    // or No where there is none.
    virtual Answer ask(const std::string& text, const std::string& caption, QuestionButtons buttons) = 0;
    // filter as "Name|pattern|Name|pattern||"; leaves the chosen file's folder
    // current. The dialog's title is `title`, or the platform's own ("Open").
    virtual FileChoice chooseFileToOpen(const std::string& filter, const std::string& title = "") = 0;
    // The folder the next open-file dialog starts in (empty: the platform's choice).
    virtual void setFileDialogFolder(const std::string& folder) = 0;
    // A menu item's caption, set at run time.
    virtual void setMenuItemText(int id, const std::string& caption) = 0;
    // A name for a new file (or one to replace): the platform's save dialog,
    // titled, starting with `suggested`. The file is not touched.
    virtual FileChoice chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested) = 0;
    virtual void showHelpTopics() = 0;

    // Ends the modal loop of this dialog.
    virtual void endDialog(int result) = 0;
};

// Makes windows from templates and runs them modally.
class Platform {
public:
    virtual ~Platform() = default;
    // The store of what the program remembers between runs: the one the
    // program gives (the platform's own store), else one in memory.
    Settings& settings() { return store_ ? *store_ : memory_; }
    void useSettings(Settings& store) { store_ = &store; }

private:
    Settings* store_ = nullptr;
    MemorySettings memory_;

public:
    // Builds the dialog of template `templateId` for `handler` (attached before its
    // initialisation), runs it modally over `owner` until it ends; gives the result.
    virtual int runModal(int templateId, DialogHandler& handler, Window& owner) = 0;
};

} // namespace scrivlet::ui
