#include "Win32Window.h"

#include "DialogTemplateBuilder.h"
#include "HelpViewer.h"
#include "WideText.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <deque>
#include <string>

namespace scrivlet::ui {

using namespace win32;

namespace {

constexpr wchar_t WindowProperty[] = L"Scrivlet.Window";
// Posted by the list after it has acted on a key: the key is reported then.
constexpr UINT ReportListKey = WM_APP + 1;
// Posted when a list is filled: it draws again once the command filling it is done.
constexpr UINT ResumeListDrawing = WM_APP + 2;
constexpr int ListColumnWidth = 439;
constexpr int ProgramIcon = 1;

std::deque<FileChoice>& nextFileChoices()
{
    static std::deque<FileChoice> choices;
    return choices;
}

std::wstring windowText(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool hasClass(HWND hwnd, const wchar_t* name)
{
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    return lstrcmpiW(className, name) == 0;
}

bool isPushButton(HWND hwnd)
{
    const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return hasClass(hwnd, WC_BUTTONW) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool isStatic(HWND hwnd) { return hasClass(hwnd, WC_STATICW); }

bool isMultiLineEdit(HWND hwnd) { return hasClass(hwnd, WC_EDITW) && (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_MULTILINE); }

// "Ctrl+O", "Ctrl+Return", "F3" as an accelerator for `command`.
bool parseKeys(const std::string& keys, WORD command, ACCEL& accel)
{
    accel = {FVIRTKEY, 0, command};
    std::string rest = keys;
    for (const auto& [word, flag] : {std::pair<std::string, BYTE>{"Ctrl+", FCONTROL}, {"Shift+", FSHIFT}, {"Alt+", FALT}})
        if (rest.rfind(word, 0) == 0) {
            accel.fVirt |= flag;
            rest = rest.substr(word.size());
        }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0])))
        accel.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
    else if (rest == "Return" || rest == "Enter")
        accel.key = VK_RETURN;
    else if (rest.size() >= 2 && rest[0] == 'F' && std::isdigit(static_cast<unsigned char>(rest[1])))
        accel.key = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
    else
        return false;
    return true;
}

} // namespace

Win32Window::Win32Window(const DialogTemplate& dialogTemplate, DialogHandler& handler) : template_(dialogTemplate), handler_(handler) {}

Win32Window::~Win32Window()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
    if (fixedFont_)
        DeleteObject(fixedFont_);
    for (HICON icon : {bigIcon_, smallIcon_})
        if (icon)
            DestroyIcon(icon);
}

void Win32Window::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }

Win32Window* Win32Window::owning(HWND hwnd)
{
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return root ? static_cast<Win32Window*>(GetPropW(root, WindowProperty)) : nullptr;
}

bool Win32Window::preTranslate(MSG& message)
{
    Win32Window* window = owning(message.hwnd);
    if (!window || !window->hwnd_ || window->ended_)
        return false;
    if (window->accelerators_ && TranslateAcceleratorW(window->hwnd_, window->accelerators_, &message))
        return true;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        window->requestClose(); // Escape is the close box's key, which the handler may refuse
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        // Enter goes to the control that wants it (the edit box, for a line
        // break); a text only to read leaves it to the dialog.
        const LRESULT wants = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
        const bool textToRead = isMultiLineEdit(message.hwnd) && !(GetWindowLongPtrW(message.hwnd, GWL_STYLE) & ES_WANTRETURN);
        if (textToRead || !(wants & DLGC_WANTMESSAGE)) {
            window->pressDefaultButton();
            return true;
        }
    }
    return IsDialogMessageW(window->hwnd_, &message);
}

void Win32Window::pressDefaultButton()
{
    HWND button = GetFocus();
    if (!(button && IsChild(hwnd_, button) && isPushButton(button))) {
        // The dialog's default button; a default id with no button (some
        // versions of the platform answer OK for a dialog without one) is none.
        const auto found = static_cast<DWORD>(SendMessageW(hwnd_, DM_GETDEFID, 0, 0));
        button = HIWORD(found) == DC_HASDEFID ? GetDlgItem(hwnd_, LOWORD(found)) : nullptr;
        if (button && !isPushButton(button))
            button = nullptr; // a control that happens to have the id of OK is no button
    }
    if (!button)
        SendMessageW(hwnd_, WM_COMMAND, IDOK, 0);
    else if (IsWindowEnabled(button))
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void Win32Window::create(HWND owner)
{
    owner_ = owner;
    const std::vector<WORD> words = buildDialogTemplate(template_);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner, dialogProc,
        reinterpret_cast<LPARAM>(this));
    if (!hwnd_)
        return;
    // Over the owner's middle, or the screen's for the main window.
    RECT area{}, self{};
    if (owner)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(hwnd_, &self);
    const int width = self.right - self.left, height = self.bottom - self.top;
    SetWindowPos(hwnd_, nullptr, std::max(0L, (area.left + area.right - width) / 2), std::max(0L, (area.top + area.bottom - height) / 2), 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

int Win32Window::runModal(HWND owner)
{
    create(owner);
    if (!hwnd_)
        return IdCancel;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    MSG message;
    while (!ended_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam)); // for the loop outside this one
            break;
        }
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner is enabled before this one goes, so that it becomes active again.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    return result_;
}

INT_PTR CALLBACK Win32Window::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32Window*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->initialise(hwnd);
        // Where the handler put the focus, it stays; otherwise the first control takes it.
        const HWND focus = GetFocus();
        return !(focus && IsChild(hwnd, focus));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self && self->hwnd_ == hwnd ? self->handle(message, wParam, lParam) : FALSE;
}

void Win32Window::initialise(HWND hwnd)
{
    hwnd_ = hwnd;
    SetPropW(hwnd_, WindowProperty, this);
    buildMenu();
    buildAccelerators();
    // The template gives the client area; a menu bar comes on top of it.
    RECT client{0, 0, template_.width, template_.height};
    MapDialogRect(hwnd_, &client);
    RECT outer = client;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), menu_ != nullptr,
        static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT clientNow{};
    GetClientRect(hwnd_, &clientNow);
    baseClient_ = {clientNow.right, clientNow.bottom};
    minimumWindow_ = {outer.right - outer.left, outer.bottom - outer.top};

    // The dialog manager made the controls in template order.
    HWND child = GetWindow(hwnd_, GW_CHILD);
    for (const ControlTemplate& c : template_.controls) {
        if (!child)
            break;
        prepareControl(c, child);
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        placed_.push_back({child, r, c.anchor});
        child = GetWindow(child, GW_HWNDNEXT);
    }
    if (template_.menu) {
        // The program's icon in both sizes: the caption's and the task switcher's.
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
            GetSystemMetrics(SM_CYICON), 0));
        smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
            GetSystemMetrics(SM_CYSMICON), 0));
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    }
    handler_.onInitDialog();
}

void Win32Window::prepareControl(const ControlTemplate& c, HWND control)
{
    switch (c.kind) {
    case ControlKind::ListView:
        SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        {
            // One column as wide as the main list's, or as the list where it is narrower.
            RECT client{};
            GetClientRect(control, &client);
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH;
            column.cx = std::min<int>(ListColumnWidth, client.right - GetSystemMetrics(SM_CXVSCROLL));
            SendMessageW(control, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        }
        SetWindowSubclass(control, listProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
    case ControlKind::Edit:
        if (c.style & FixedPitch)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fixedPitchFont()), FALSE);
        if (c.style & MultiLine)
            SetWindowSubclass(control, editProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
    case ControlKind::GroupBox:
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    default:
        break;
    }
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

void Win32Window::buildMenu()
{
    const auto* menus = findMenuTemplate(template_.menu);
    if (!menus)
        return;
    menu_ = CreateMenu();
    for (const MenuTemplate& m : *menus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == 0) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::wstring text = fromLatin1(item.caption);
            if (!item.shortcut.empty())
                text += L"\t" + fromLatin1(item.shortcut);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
            info.fType = MFT_STRING;
            info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
            info.wID = static_cast<UINT>(item.id);
            info.dwItemData = item.checkable ? CheckableItem : 0;
            info.dwTypeData = text.data();
            InsertMenuItemW(popup, static_cast<UINT>(GetMenuItemCount(popup)), TRUE, &info);
        }
        // The Help menu stands at the right end of the bar.
        AppendMenuW(menu_, MF_POPUP | MF_STRING | (m.rightAligned ? MF_RIGHTJUSTIFY : 0), reinterpret_cast<UINT_PTR>(popup),
            fromLatin1(m.caption).c_str());
    }
    SetMenu(hwnd_, menu_);
}

void Win32Window::buildAccelerators()
{
    std::vector<ACCEL> table;
    ACCEL accel{};
    if (const auto* menus = findMenuTemplate(template_.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (!item.shortcut.empty() && parseKeys(item.shortcut, static_cast<WORD>(item.id), accel))
                    table.push_back(accel);
    for (const Accelerator& a : template_.accelerators)
        if (parseKeys(a.keys, static_cast<WORD>(a.command), accel))
            table.push_back(accel);
    if (!table.empty())
        accelerators_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

INT_PTR Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommandMessage(wParam, lParam);
        return TRUE;
    case WM_NOTIFY:
        return onNotifyMessage(*reinterpret_cast<const NMHDR*>(lParam));
    case ReportListKey:
        notify(static_cast<int>(wParam), Notification::KeyDown);
        return TRUE;
    case ResumeListDrawing:
        for (HWND list : notDrawing_) {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
        notDrawing_.clear();
        return TRUE;
    case WM_CLOSE:
        requestClose();
        return TRUE;
    case WM_SIZE:
        if (template_.resizable && wParam != SIZE_MINIMIZED)
            followSize();
        return FALSE;
    case WM_GETMINMAXINFO:
        if (!template_.resizable || minimumWindow_.cx == 0)
            return FALSE;
        // Never smaller than the template.
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimumWindow_.cx, minimumWindow_.cy};
        return TRUE;
    case WM_PAINT:
        if (IsIconic(hwnd_) && bigIcon_) {
            // Minimized, the window shows its icon in the middle.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd_, &paint);
            SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            RECT r{};
            GetClientRect(hwnd_, &r);
            DrawIcon(dc, (r.right - GetSystemMetrics(SM_CXICON) + 1) / 2, (r.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, bigIcon_);
            EndPaint(hwnd_, &paint);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORSTATIC:
        // Texts and pictures on a tab's page take the page's colour.
        if (onPage_.count(reinterpret_cast<HWND>(lParam))) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        return FALSE;
    case WM_QUERYDRAGICON:
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(bigIcon_));
        return TRUE;
    case WM_DESTROY:
        RemovePropW(hwnd_, WindowProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

void Win32Window::onCommandMessage(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const auto from = reinterpret_cast<HWND>(lParam);
    if (!from) {
        // A menu item (0) or an accelerator (1), or the dialog manager's Enter
        // where no button takes it (OK). A key for a button does what a click
        // would, and nothing while the button is disabled.
        if (code == 1)
            if (HWND button = control(id); button && !IsWindowEnabled(button))
                return;
        handler_.onCommand(id);
        return;
    }
    switch (code) {
    case BN_CLICKED: // also STN_CLICKED, a click on a picture that reports clicks
        if (isPushButton(from))
            handler_.onCommand(id);
        else if (isStatic(from))
            notify(id, Notification::Click);
        else if (id == IdOk || id == IdCancel)
            handler_.onCommand(id); // the dialog manager's Enter, naming whatever control has the id of OK
        break;
    case EN_CHANGE:
        if (!settingText_)
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

bool Win32Window::onNotifyMessage(const NMHDR& header)
{
    const int id = static_cast<int>(header.idFrom);
    switch (header.code) {
    case NM_CLICK:
        if (listDragged_) // the drag already reported its click
            return true;
        notify(id, Notification::Click);
        return true;
    case NM_DBLCLK:
        notify(id, Notification::DoubleClick);
        return true;
    case NM_RCLICK:
        notify(id, Notification::RightClick);
        return true;
    case TCN_SELCHANGE:
        if (!settingText_)
            notify(id, Notification::TabSelectionChanged);
        return true;
    default:
        return false;
    }
}

void Win32Window::requestClose()
{
    if (handler_.onCloseRequest())
        endDialog(IdCancel);
}

void Win32Window::followSize()
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int extraX = std::max(0L, client.right - baseClient_.cx);
    const int extraY = std::max(0L, client.bottom - baseClient_.cy);
    const auto share = [](int extra, double part) { return static_cast<int>(std::lround(extra * part)); };
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const Placed& p : placed_) {
        const RECT& b = p.base;
        moves = DeferWindowPos(moves, p.control, nullptr, b.left + share(extraX, p.anchor.moveX), b.top + share(extraY, p.anchor.moveY),
            b.right - b.left + share(extraX, p.anchor.growX), b.bottom - b.top + share(extraY, p.anchor.growY),
            SWP_NOZORDER | SWP_NOACTIVATE);
        // The list's one column keeps its width, and takes the list's growth.
        if (hasClass(p.control, WC_LISTVIEWW))
            SendMessageW(p.control, LVM_SETCOLUMNWIDTH, 0, ListColumnWidth + share(extraX, p.anchor.growX));
    }
    EndDeferWindowPos(moves);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK Win32Window::listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<Win32Window*>(self)->listMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::listMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int id = GetDlgCtrlID(list);
    switch (message) {
    case WM_KEYDOWN: {
        // The list moves the mark first (a letter moves it with the character
        // that follows); the key is reported after that.
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        PostMessageW(hwnd_, ReportListKey, static_cast<WPARAM>(id), 0);
        return result;
    }
    case WM_LBUTTONDOWN: {
        listPressed_ = true;
        listDragged_ = false;
        listPressedAt_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return DefSubclassProc(list, message, wParam, lParam);
    }
    case WM_MOUSEMOVE:
        if (listPressed_ && (wParam & MK_LBUTTON)) {
            // A press moved to another row: the mark follows to the row reached,
            // and the release reports it as the click it ends as.
            LVHITTESTINFO hit{};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int row = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            LVHITTESTINFO start{};
            start.pt = listPressedAt_;
            const int startRow = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&start)));
            if (row >= 0 && (listDragged_ || row != startRow)) {
                listDragged_ = true;
                if (GetCapture() != list)
                    SetCapture(list);
                LVITEMW state{};
                state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                state.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
                SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
                SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
                return 0; // no drag-and-drop of rows
            }
        }
        return DefSubclassProc(list, message, wParam, lParam);
    case WM_LBUTTONUP: {
        const bool dragged = listDragged_ && listPressed_;
        listPressed_ = false;
        if (GetCapture() == list)
            ReleaseCapture();
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        if (dragged)
            notify(id, Notification::Click);
        listDragged_ = false;
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(list, listProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<Win32Window*>(self)->editMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::editMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
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

HWND Win32Window::control(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

void Win32Window::setCaption(const std::string& text) { SetWindowTextW(hwnd_, fromLatin1(text).c_str()); }
std::string Win32Window::caption() const { return toLatin1(windowText(hwnd_)); }

void Win32Window::setControlText(int id, const std::string& text)
{
    HWND c = control(id);
    // The edit box holds display text with its line breaks; every other
    // control shows its bytes as they are.
    settingText_ = true;
    SetWindowTextW(c, (isMultiLineEdit(c) ? toDisplay(text) : fromLatin1(text)).c_str());
    settingText_ = false;
}

std::string Win32Window::controlText(int id) const
{
    HWND c = control(id);
    return isMultiLineEdit(c) ? fromDisplay(windowText(c)) : toLatin1(windowText(c));
}

void Win32Window::enableControl(int id, bool enabled) { EnableWindow(control(id), enabled); }
bool Win32Window::isControlEnabled(int id) const { return IsWindowEnabled(control(id)); }
void Win32Window::setFocus(int id) { SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE); }

int Win32Window::focusedControl() const
{
    // The focus may be inside a control (a date picker's edit): the control is the dialog's child holding it.
    for (HWND w = GetFocus(); w && w != hwnd_; w = GetParent(w))
        if (GetParent(w) == hwnd_)
            return GetDlgCtrlID(w);
    return 0;
}

void Win32Window::enableMenuItem(int id, bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Window::checkMenuItem(int id, bool checked)
{
    CheckMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32Window::isMenuItemEnabled(int id) const
{
    return !(GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool Win32Window::isMenuItemChecked(int id) const { return GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED; }

void Win32Window::holdListDrawing(HWND list)
{
    // A listing inserts thousands of rows one by one: drawn after each, it
    // takes seconds. The list draws again when the command is done.
    if (!notDrawing_.insert(list).second)
        return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    PostMessageW(hwnd_, ResumeListDrawing, 0, 0);
}

void Win32Window::listDeleteAll(int id)
{
    holdListDrawing(control(id));
    SendMessageW(control(id), LVM_DELETEALLITEMS, 0, 0);
}

void Win32Window::listInsertRow(int id, int index, const std::string& text)
{
    holdListDrawing(control(id));
    std::wstring shown = toDisplay(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = shown.data();
    SendMessageW(control(id), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32Window::listDeleteRow(int id, int index) { SendMessageW(control(id), LVM_DELETEITEM, static_cast<WPARAM>(index), 0); }
int Win32Window::listRowCount(int id) const { return static_cast<int>(SendMessageW(control(id), LVM_GETITEMCOUNT, 0, 0)); }

std::string Win32Window::listRowText(int id, int index) const
{
    // The list gives at most the room it is handed: double it until the text fits.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(SendMessageW(control(id), LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
            reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return fromDisplay(text);
        }
        text.assign(text.size() * 2, L'\0');
    }
}

int Win32Window::listSelectionMark(int id) const { return static_cast<int>(SendMessageW(control(id), LVM_GETSELECTIONMARK, 0, 0)); }
void Win32Window::setListSelectionMark(int id, int index) { SendMessageW(control(id), LVM_SETSELECTIONMARK, 0, index); }
void Win32Window::listEnsureVisible(int id, int index) { SendMessageW(control(id), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE); }

void Win32Window::listSelectRow(int id, int index)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(control(id), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

void Win32Window::setListHotItem(int id, int index) { SendMessageW(control(id), LVM_SETHOTITEM, static_cast<WPARAM>(index), 0); }

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

void Win32Window::createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap)
{
    // Made as the dialog's own child over the parent (a tab control), so that
    // its notifications come to the dialog.
    HWND parent = control(parentId);
    RECT at{rect.left, rect.top, rect.right, rect.bottom};
    MapWindowPoints(parent, hwnd_, reinterpret_cast<POINT*>(&at), 2);
    // Run-time texts wrap: as tall as a template text of several lines.
    const ControlTemplate c{childId, kind, 0, 0, 0, (rect.bottom - rect.top) * 2, "", style, bitmap};
    const DWORD windowStyle = (controlStyle(kind, c) & ~WS_VISIBLE) | WS_CLIPSIBLINGS;
    HWND child = CreateWindowExW(controlExtendedStyle(c), controlClass(c), L"", windowStyle, at.left, at.top, at.right - at.left,
        at.bottom - at.top, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, SendMessageW(hwnd_, WM_GETFONT, 0, 0), FALSE);
    if (kind == ControlKind::StaticBitmap)
        SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP,
            reinterpret_cast<LPARAM>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0, 0)));
    prepareControl(c, child);
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    onPage_.insert(child);
}

void Win32Window::showControl(int id, bool visible) { ShowWindow(control(id), visible ? SW_SHOWNA : SW_HIDE); }
bool Win32Window::isControlVisible(int id) const { return GetWindowLongPtrW(control(id), GWL_STYLE) & WS_VISIBLE; }

void Win32Window::tabDeleteAll(int id)
{
    settingText_ = true;
    SendMessageW(control(id), TCM_DELETEALLITEMS, 0, 0);
    settingText_ = false;
}

void Win32Window::tabInsert(int id, int index, const std::string& caption)
{
    std::wstring text = fromLatin1(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    settingText_ = true;
    SendMessageW(control(id), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    settingText_ = false;
}

int Win32Window::tabCurrent(int id) const { return static_cast<int>(SendMessageW(control(id), TCM_GETCURSEL, 0, 0)); }

PixelRect Win32Window::screenRect() const
{
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Window::moveTo(int left, int top)
{
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(hwnd_);
}

void Win32Window::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    MessageBoxW(hwnd_, fromLatin1(text).c_str(), fromLatin1(caption).c_str(), MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0));
}

FileChoice Win32Window::chooseFileToOpen(const std::string& filter)
{
    std::wstring path;
    if (!nextFileChoices().empty()) {
        path = fromUtf8(nextFileChoices().front().path);
        nextFileChoices().pop_front();
        std::wstring folder = path.substr(0, path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/"));
        if (!folder.empty())
            SetCurrentDirectoryW(folder.c_str());
    } else {
        // "Name|pattern|...||" is the platform's own filter with '|' for its NULs.
        std::wstring patterns = fromLatin1(filter);
        std::replace(patterns.begin(), patterns.end(), L'|', L'\0');
        std::wstring file(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = hwnd_;
        dialog.lpstrFilter = patterns.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        // The chosen file's folder is left current.
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameW(&dialog))
            return {};
        path = file.c_str();
    }
    if (path.empty())
        return {};
    const std::size_t slash = path.find_last_of(L"\\/");
    return {toUtf8(path), toUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1))};
}

void Win32Window::showHelpTopics() { win32::showHelpViewer(*this); }

void Win32Window::endDialog(int result)
{
    result_ = result;
    ended_ = true;
    if (hwnd_)
        PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the loop waiting for a message
}

} // namespace scrivlet::ui
