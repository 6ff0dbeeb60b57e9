// The code-coloured edit box on the platform's RichEdit, which can colour text
// where the EDIT cannot: bracket groups, bracket errors and the characters the
// game cannot show. It keeps every fact of the edit box: line breaks read as
// CR LF, the typing limit counts one as two characters, every byte survives
// (the display text never hands it a lone CR or LF), and one step of undo.
// Its own undo is off, since colouring would be undone as a step: typing, a
// cut and a paste are remembered here instead.
#include "Win32Window.h"

#include "Controls.h"
#include "Text.h"
#include "text/TextEncoder.h"
#include "text/TextNotes.h"

#include <algorithm>

namespace scrivlet::ui {

using namespace win32;

namespace {

CHARFORMAT2W colourFormat(COLORREF text, COLORREF back, bool underline, bool automatic)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR | CFM_UNDERLINE;
    format.dwEffects = (automatic ? CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR : 0) | (underline ? CFE_UNDERLINE : 0);
    format.crTextColor = text;
    format.crBackColor = back;
    return format;
}

const COLORREF WarningGround = RGB(0xFF, 0xE0, 0xA0);

std::size_t programLength(const std::wstring& shown) { return shown.size(); } // CR LF read as two already

} // namespace

void Win32Window::prepareRichEdit(HWND edit)
{
    SendMessageW(edit, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageW(edit, EM_SETUNDOLIMIT, 0, 0);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE); // the program's text is never cut; typing is limited here
    SendMessageW(edit, EM_SETTEXTMODE, TM_RICHTEXT | TM_SINGLELEVELUNDO, 0);
    rich_[GetDlgCtrlID(edit)] = RichState{};
}

void Win32Window::colourRichEdit(HWND edit)
{
    const std::string text = fromDisplay(richText(edit));
    const std::vector<long> at = richPlaces(text);
    const bool wasSetting = std::exchange(settingText_, true);
    SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
    CHARRANGE selection{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINT scrolled{};
    SendMessageW(edit, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    const auto paint = [&](std::size_t from, std::size_t to, CHARFORMAT2W format) {
        CHARRANGE range{at[from], at[to]};
        SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    };
    paint(0, text.size(), colourFormat(0, 0, false, true));
    // Groups in blue, as the encoder reads them.
    for (std::size_t i = text.find('['); i != std::string::npos; i = text.find('[', i)) {
        const std::size_t close = text.find(']', i + 1);
        const std::size_t end = close == std::string::npos ? text.size() : close + 1;
        paint(i, end, colourFormat(RGB(0x1F, 0x5F, 0xB0), GetSysColor(COLOR_WINDOW), false, false));
        i = end;
    }
    // Text past a limit on an amber ground, its text colour kept.
    CHARFORMAT2W warned{};
    warned.cbSize = sizeof warned;
    warned.dwMask = CFM_BACKCOLOR;
    warned.crBackColor = WarningGround;
    for (const auto& [from, to] : rich_[GetDlgCtrlID(edit)].warnings) {
        const std::size_t a = std::min(static_cast<std::size_t>(std::max(from, 0)), text.size());
        const std::size_t b = std::min(static_cast<std::size_t>(std::max(to, 0)), text.size());
        if (a < b)
            paint(a, b, warned);
    }
    // Bracket errors and characters the game cannot show, as errors are marked.
    auto marked = bracketErrorRanges(text);
    const auto unshowable = unshowableRanges(text);
    marked.insert(marked.end(), unshowable.begin(), unshowable.end());
    for (const auto& [from, to] : marked)
        paint(from, to, colourFormat(RGB(0xB0, 0x00, 0x00), RGB(0xFF, 0xD8, 0xD8), true, false));
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(edit, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(edit, nullptr, FALSE);
    settingText_ = wasSetting;
}

void Win32Window::setEditWarnings(int id, const std::vector<std::pair<int, int>>& ranges)
{
    const HWND edit = control(id);
    auto state = rich_.find(id);
    if (!edit || state == rich_.end() || state->second.warnings == ranges)
        return;
    state->second.warnings = ranges;
    colourRichEdit(edit);
}

void Win32Window::snapshotForUndo(HWND edit, bool typing)
{
    RichState& state = rich_[GetDlgCtrlID(edit)];
    if (!typing || !state.typing)
        state.undoText = richText(edit);
    state.typing = typing;
}

int Win32Window::programRoom(HWND edit) const
{
    const auto found = typingLimits_.find(GetDlgCtrlID(edit));
    if (found == typingLimits_.end() || found->second <= 0)
        return 0x7FFFFFFF;
    CHARRANGE selection{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    std::wstring selected(static_cast<std::size_t>(std::max<LONG>(0, selection.cpMax - selection.cpMin)) + 1, L'\0');
    selected.resize(static_cast<std::size_t>(SendMessageW(edit, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected.data()))));
    // The selection holds each line break as one CR; the program reads it as two.
    const auto selectedLength = selected.size() + static_cast<std::size_t>(std::count(selected.begin(), selected.end(), L'\r'));
    return found->second - static_cast<int>(programLength(richText(edit)) - selectedLength);
}

void Win32Window::pasteInto(HWND edit)
{
    // Plain text only, and as much as fits the limit, a line break whole or not at all.
    std::wstring pasted;
    if (OpenClipboard(hwnd_)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                pasted = chars;
                GlobalUnlock(data);
            }
        CloseClipboard();
    }
    int room = programRoom(edit);
    std::size_t take = 0;
    while (take < pasted.size() && room > 0) {
        const bool pair = pasted[take] == L'\r' && take + 1 < pasted.size() && pasted[take + 1] == L'\n';
        if (pair && room < 2)
            break;
        room -= pair ? 2 : 1;
        take += pair ? 2 : 1;
    }
    if (take == 0)
        return;
    snapshotForUndo(edit, false);
    const std::wstring part = pasted.substr(0, take);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(part.c_str()));
}

void Win32Window::editReplaceSelection(int id, const std::string& text)
{
    const HWND edit = control(id);
    if (isRichEdit(edit))
        snapshotForUndo(edit, false);
    const std::wstring shown = toDisplay(text);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(shown.c_str()));
}

// The program's position (a line break is two) of the RichEdit's own position `at`.
int Win32Window::programPosition(HWND edit, LONG at) const
{
    // A range ending at -1 would run to the end of the text: no position is before the first.
    if (at <= 0)
        return 0;
    std::wstring before(static_cast<std::size_t>(at) + 1, L'\0');
    TEXTRANGEW range{{0, at}, before.data()};
    before.resize(static_cast<std::size_t>(SendMessageW(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    return win32::programPlace(before);
}

// The tip of the character the mouse rests on: asked of the handler once the
// mouse has stayed on one character for a moment, hidden when it moves on.
void Win32Window::hoverOver(HWND edit, UINT message, LPARAM lParam)
{
    constexpr UINT_PTR HoverTimer = 0x5C1;
    RichState& state = rich_[GetDlgCtrlID(edit)];
    if (message == WM_MOUSEMOVE) {
        POINTL at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const LONG index = static_cast<LONG>(SendMessageW(edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
        if (index == state.hovered)
            return;
        state.hovered = index;
        hideToolTip();
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, edit, 0};
        TrackMouseEvent(&leave);
        SetTimer(edit, HoverTimer, 400, nullptr);
        return;
    }
    KillTimer(edit, HoverTimer);
    if (message == WM_MOUSELEAVE) {
        state.hovered = -1;
        hideToolTip();
        return;
    }
    if (state.hovered < 0 || !restsOnCharacter(edit, state.hovered))
        return; // not over a character (an empty box answers -1, the room below the text its last)
    const std::string tip = handler_.toolTipAt(GetDlgCtrlID(edit), programPosition(edit, state.hovered));
    if (tip.empty())
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // A tip's line breaks are breaks, not pictures of the byte.
    std::wstring shown;
    for (wchar_t c : fromUtf8(tip))
        shown += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    showToolTip(shown, cursor.x + 12, cursor.y + 20);
}

void Win32Window::showToolTip(const std::wstring& text, int x, int y)
{
    if (!toolTip_) {
        toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = hwnd_;
        tool.uId = 1;
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 480);
    }
    toolTipText_ = text;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = 1;
    tool.lpszText = toolTipText_.data();
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageW(toolTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::hideToolTip()
{
    if (!toolTip_)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = 1;
    SendMessageW(toolTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

std::string Win32Window::shownToolTip() const
{
    if (!toolTip_ || !IsWindowVisible(toolTip_))
        return {};
    std::wstring text = toolTipText_;
    text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
    return toUtf8(text);
}

// Whether the mouse, where it is now, rests on character `index` itself: the
// RichEdit names the nearest character even below the last line.
bool Win32Window::restsOnCharacter(HWND edit, LONG index) const
{
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(edit, &mouse);
    POINTL at{}, next{};
    SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), index);
    SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&next), index + 1);
    HDC dc = GetDC(edit);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    const LONG right = next.y == at.y && next.x > at.x ? next.x : at.x + metrics.tmMaxCharWidth;
    return mouse.x >= at.x && mouse.x < right && mouse.y >= at.y && mouse.y < at.y + metrics.tmHeight;
}

int Win32Window::editCaret(int id) const
{
    const HWND edit = control(id);
    if (!isRichEdit(edit)) {
        DWORD from = 0, to = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        return win32::programPlace(windowText(edit).substr(0, to)); // an EDIT holds CR LF itself
    }
    CHARRANGE selection{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    // The RichEdit's last paragraph mark is no character of the text: the caret may stand past it.
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, 1200};
    return programPosition(edit, std::clamp<LONG>(selection.cpMax, 0,
        static_cast<LONG>(SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0))));
}

LRESULT Win32Window::richEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    const int id = GetDlgCtrlID(edit);
    handled = true;
    const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    switch (message) {
    case WM_CHAR:
        if (wParam == 0x03 || wParam == 0x16 || wParam == 0x18 || wParam == 0x1A || wParam == 0x19)
            return 0; // the clipboard and undo keys, done on their key going down
        if (wParam == '\r' || wParam >= 0x20 || wParam == '\t') {
            if (programRoom(edit) < (wParam == '\r' ? 2 : 1)) {
                MessageBeep(MB_OK); // past the limit: refused, nothing already there lost
                return 0;
            }
            snapshotForUndo(edit, true);
        } else if (wParam == '\b') {
            snapshotForUndo(edit, true);
        }
        break;
    case WM_KEYDOWN:
        if ((control && wParam == 'V') || (shift && wParam == VK_INSERT))
            return SendMessageW(edit, WM_PASTE, 0, 0);
        if ((control && wParam == 'X') || (shift && wParam == VK_DELETE))
            return SendMessageW(edit, WM_CUT, 0, 0);
        if (control && (wParam == 'C' || wParam == VK_INSERT))
            return SendMessageW(edit, WM_COPY, 0, 0);
        if (control && wParam == 'Z')
            return SendMessageW(edit, WM_UNDO, 0, 0);
        if (control && wParam == 'Y')
            return 0;
        if (wParam == VK_RETURN && !control) {
            // The RichEdit breaks the line on the key going down: a line break is
            // two characters, refused whole where only one fits.
            if (programRoom(edit) < 2) {
                MessageBeep(MB_OK);
                return 0;
            }
            snapshotForUndo(edit, true);
        }
        if (wParam == VK_DELETE)
            snapshotForUndo(edit, true);
        break;
    case WM_PASTE:
        pasteInto(edit);
        return 0;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        hoverOver(edit, message, lParam);
        handled = false; // the RichEdit sees the mouse as well
        return 0;
    case WM_TIMER:
        if (wParam != 0x5C1)
            break;
        hoverOver(edit, message, lParam);
        return 0;
    case WM_CUT:
        snapshotForUndo(edit, false);
        break;
    case WM_UNDO:
    case EM_UNDO: {
        RichState& state = rich_[id];
        std::wstring now = richText(edit);
        if (now == state.undoText)
            return 0;
        settingText_ = true;
        SetWindowTextW(edit, state.undoText.c_str());
        settingText_ = false;
        state.undoText = std::move(now); // a second undo does it again, as the platform's does
        state.typing = false;
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        colourRichEdit(edit);
        ++state.changes;
        state.caretSeen = editCaret(id);
        notify(id, Notification::TextChanged);
        return TRUE;
    }
    case EM_CANUNDO:
        return richText(edit) != rich_[id].undoText;
    case WM_GETDLGCODE: {
        // Tab moves to the next control, as in every dialog; the rest is the box's.
        LRESULT wants = DefSubclassProc(edit, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB)
            wants &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
        return wants & ~DLGC_WANTTAB;
    }
    default:
        break;
    }
    handled = false;
    return 0;
}

} // namespace scrivlet::ui
