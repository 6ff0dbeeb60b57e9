// The edit boxes, the platform's own EDIT: text changes and real focus
// changes reported, a line break refused whole at the limit, the typing limit
// itself, a fixed-pitch face, and the clipboard requests done by the control
// (one-line edits take the same limit; the template gives their style).
#include "Win32Window.h"

#include "Controls.h"

namespace scrivlet::ui {

using namespace win32;

void Win32Window::onEditNotification(int id, int code, HWND from)
{
    switch (code) {
    case EN_CHANGE:
        if (settingText_)
            break;
        if (isRichEdit(from)) {
            colourRichEdit(from);
            RichState& state = rich_[id];
            ++state.changes;
            state.caretSeen = editCaret(id);
        }
        notify(id, Notification::TextChanged);
        break;
    case EN_SETFOCUS:
        if (isMultiLineEdit(from))
            notify(id, Notification::GotFocus);
        break;
    case EN_KILLFOCUS:
        if (isMultiLineEdit(from))
            notify(id, Notification::LostFocus);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK Win32Window::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<Win32Window*>(self)->editMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::editMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (isRichEdit(edit)) {
        bool handled = false;
        const LRESULT result = richEditMessage(edit, message, wParam, lParam, handled);
        if (handled)
            return result;
        if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
            // The caret moved by a key or a click while the text stayed: reported as such.
            const int id = GetDlgCtrlID(edit);
            const unsigned changes = rich_[id].changes;
            const LRESULT done = DefSubclassProc(edit, message, wParam, lParam);
            RichState& state = rich_[id];
            const int caret = editCaret(id);
            if (state.changes == changes && caret != state.caretSeen) {
                state.caretSeen = caret;
                state.typing = false;
                notify(id, Notification::CaretMoved);
            }
            return done;
        }
    }
    switch (message) {
    case WM_CHAR:
        if (wParam == 1) { // Ctrl+A
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return 0;
        }
        if (wParam == '\r') {
            // A line break is two characters: refused whole where only one fits.
            const auto found = typingLimits_.find(GetDlgCtrlID(edit));
            if (found != typingLimits_.end() && found->second > 0) {
                DWORD from = 0, to = 0;
                SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
                if (GetWindowTextLengthW(edit) - static_cast<int>(to - from) + 2 > found->second) {
                    MessageBeep(MB_OK);
                    return 0;
                }
            }
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, editProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

HFONT Win32Window::fixedPitchFont()
{
    if (!fixedFont_) {
        // The dialog face's height or more, so hex columns line up and stay as legible.
        LOGFONTW face{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)), sizeof face, &face);
        LOGFONTW fixed{};
        fixed.lfHeight = face.lfHeight;
        fixed.lfWeight = FW_NORMAL;
        fixed.lfCharSet = ANSI_CHARSET;
        fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpyW(fixed.lfFaceName, L"Courier New");
        fixedFont_ = CreateFontIndirectW(&fixed);
    }
    return fixedFont_;
}

void Win32Window::setEditLimit(int id, int characters)
{
    // Only typing is limited: a longer text the program puts in is never cut.
    typingLimits_[id] = characters;
    SendMessageW(control(id), EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void Win32Window::editUndo(int id)
{
    // The edit box keeps one step to undo, but may run a cut and the paste
    // after it together into one; Undo after a clipboard request undoes that
    // request alone (and a second Undo does it again, as the edit box's own does).
    const HWND edit = control(id);
    if (lastRequest_ && lastRequest_->id == id && windowText(edit) == lastRequest_->after) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(lastRequest_->before.c_str()));
        std::swap(lastRequest_->before, lastRequest_->after);
        return;
    }
    SendMessageW(edit, EM_UNDO, 0, 0);
}

void Win32Window::editCut(int id) { clipboardRequest(id, WM_CUT); }

void Win32Window::editCopy(int id) { clipboardRequest(id, WM_COPY); }

void Win32Window::editPaste(int id) { clipboardRequest(id, WM_PASTE); }

void Win32Window::clipboardRequest(int id, UINT request)
{
    const HWND edit = control(id);
    std::wstring before = windowText(edit);
    SendMessageW(edit, request, 0, 0);
    std::wstring after = windowText(edit);
    if (before != after)
        lastRequest_ = UndoStep{id, std::move(before), std::move(after)};
}

} // namespace scrivlet::ui
