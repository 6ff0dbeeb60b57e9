#pragma once

#include "ui/Window.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace scrivlet::ui {

// A dialog template made real with the platform's own dialog manager and
// common controls: each control at its dialog-unit position in the 8-point
// dialog face, reached by id. Display text crosses as Latin-1 (UTF-16 to the
// platform), so every byte 0x00-0xFF survives; the edit box gives line breaks
// as CR LF, as the platform's edit box does.
class Win32Window : public Window {
public:
    Win32Window(const DialogTemplate& dialogTemplate, DialogHandler& handler);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Creates the dialog over `owner` (null for none), initialises the handler
    // and shows it, without waiting.
    void create(HWND owner);
    // Creates, shows and runs the dialog until it ends: its owner is disabled
    // meanwhile. Gives the result.
    int runModal(HWND owner);

    HWND handle() const { return hwnd_; }
    int templateId() const { return template_.id; }
    HWND control(int id) const;
    bool ended() const { return ended_; }
    // The window of ours that `hwnd` is, or is inside; null for none.
    static Win32Window* owning(HWND hwnd);
    // What every message loop of the program does before dispatching: the
    // dialog's keys (Tab, Enter, Escape), its accelerators and menu shortcuts.
    // True when the message was handled.
    static bool preTranslate(MSG& message);
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
    // What a picture control shows (empty when nothing).
    PixelImage shownPicture(int id) const
    {
        const auto shown = pictures_.find(id);
        return shown == pictures_.end() ? PixelImage{} : shown->second;
    }
    void placeControl(int id, int left, int top, int width, int height, Anchor anchor) override;
    // The tip shown over an edit box now (empty when none is up).
    std::string shownToolTip() const;
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


private:
    bool placedByProgram_ = false; // the program put the window somewhere: not centred
    bool showMaximized_ = false;
    std::string fileDialogFolder_;
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    // A drawn picture takes the mouse: a press on it and the moves with the button held.
    static LRESULT CALLBACK pictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT pictureMessage(HWND picture, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void initialise(HWND hwnd);
    void buildMenu();
    void buildAccelerators();
    void prepareControl(const ControlTemplate& c, HWND control);
    void onCommandMessage(WPARAM wParam, LPARAM lParam);
    // Each kind of control answers its own notifications, in the file of its kind.
    void onClicked(int id, HWND from);
    void onEditNotification(int id, int code, HWND from);
    bool onListNotify(const NMHDR& header, LRESULT& result);
    bool onTabNotify(const NMHDR& header);
    INT_PTR pageColour(HDC dc, HWND control);
    void fitStaticText(HWND control);
    std::vector<HFONT> fittedFonts_; // smaller faces of texts that would not fit otherwise
public:
    // Whether a static text shows all of its text in its control.
    bool staticTextFits(HWND control) const;
private:
    void requestClose();
    // Enter where no control takes it: the focused button, the default button,
    // or OK where there is none.
    void pressDefaultButton();
    void clipboardRequest(int id, UINT request);
    void followSize();
    void notify(int id, Notification what) { handler_.onNotify(id, what); }
    LRESULT listMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT editMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    HFONT fixedPitchFont();

    const DialogTemplate& template_;
    DialogHandler& handler_;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT fixedFont_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::map<int, int> typingLimits_;
    std::set<HWND> onPage_; // controls made at run time over a tab's page
    // The rows of each list view (owner data: the list holds none itself).
    struct ListModel {
        std::vector<std::wstring> rows; // as shown
        bool countLags = false;         // rows were added that the list has not counted yet
    };
    std::map<int, ListModel> lists_;
    ListModel& listModel(int id);
    const std::vector<std::wstring>& listRows(int id) const;
    void syncListRows();
    void syncListRows(int id);
    // Changes the rows of a list by inserting (+1) or deleting (-1) at `at`,
    // keeping the mark and the highlight on their rows.
    void changeRows(int id, int at, int by, const std::function<void(std::vector<std::wstring>&)>& change);
    // The code-coloured edit box (RichEdit), whose own undo is off: one step of
    // ours as the platform's edit box has, and the caret as last reported.
    struct RichState {
        std::wstring undoText; // shown text (CR LF line breaks) before the last change
        bool typing = false;   // the last change was typing: more typing joins it
        int caretSeen = 0;
        unsigned changes = 0;
        LONG hovered = -1; // the character the mouse rests on
        std::vector<std::pair<int, int>> warnings; // program positions on the warning ground
    };
    std::map<int, RichState> rich_;
    std::map<int, PixelImage> pictures_; // what each picture control shows
    bool drawPicture(const DRAWITEMSTRUCT& item);
    void prepareRichEdit(HWND edit);
    LRESULT richEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void colourRichEdit(HWND edit);
    void snapshotForUndo(HWND edit, bool typing);
    void pasteInto(HWND edit);
    int programRoom(HWND edit) const;
    int programPosition(HWND edit, LONG at) const;
    void hoverOver(HWND edit, UINT message, LPARAM lParam);
    bool restsOnCharacter(HWND edit, LONG index) const;
    void showToolTip(const std::wstring& text, int x, int y);
    void hideToolTip();
    HWND toolTip_ = nullptr;
    std::wstring toolTipText_;
    // The last clipboard request that changed an edit box: its text before and after.
    struct UndoStep {
        int id;
        std::wstring before, after;
    };
    std::optional<UndoStep> lastRequest_;
    // Each template control with its rectangle at the template's size, for resizing.
    struct Placed {
        HWND control;
        RECT base;
        Anchor anchor;
    };
    std::vector<Placed> placed_;
    SIZE baseClient_{};
    SIZE minimumWindow_{};
    bool settingText_ = false;
    bool ended_ = false;
    int result_ = IdCancel;
    // A press on the list that moved to another row before its release.
    bool listPressed_ = false;
    bool listDragged_ = false;
    POINT listPressedAt_{};
};

} // namespace scrivlet::ui
