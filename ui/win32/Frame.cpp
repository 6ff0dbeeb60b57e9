// The dialog frame: the platform's own dialog made from an in-memory
// template, its message loop and keyboard rules (Enter to the control that
// wants it or the default button, Escape and the close box asking the
// handler), anchors that follow a resize, the icon, and texts by control.
// Notifications are handed to the file of the control that sends them.
#include "Win32Window.h"

#include "Controls.h"
#include "DialogTemplateBuilder.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace scrivlet::ui {

using namespace win32;

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
    for (HFONT font : fittedFonts_)
        DeleteObject(font);
}

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
    if (!placedByProgram_)
        SetWindowPos(hwnd_, nullptr, std::max(0L, (area.left + area.right - width) / 2), std::max(0L, (area.top + area.bottom - height) / 2), 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, showMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOW);
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
    DragAcceptFiles(hwnd_, TRUE); // files dropped on it reach the handler
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
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fitStaticText(child);
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
        if (isRichEdit(control))
            prepareRichEdit(control);
        break;
    case ControlKind::Picture:
        SetWindowSubclass(control, pictureProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
    case ControlKind::GroupBox:
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    default:
        break;
    }
}

INT_PTR Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommandMessage(wParam, lParam);
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (onListNotify(header, result) || onTabNotify(header)) {
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    case ReportListKey:
        notify(static_cast<int>(wParam), Notification::KeyDown);
        return TRUE;
    case SyncListRows:
        syncListRows();
        return TRUE;
    case WM_CLOSE:
        requestClose();
        return TRUE;
    case WM_DROPFILES: {
        // Files from a file manager, dropped anywhere on the window.
        const auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> paths;
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT k = 0; k < count; ++k) {
            std::wstring path(DragQueryFileW(drop, k, nullptr, 0) + 1, L'\0');
            path.resize(DragQueryFileW(drop, k, path.data(), static_cast<UINT>(path.size())));
            paths.push_back(toUtf8(path));
        }
        DragFinish(drop);
        if (!paths.empty())
            handler_.onFilesDropped(paths);
        return TRUE;
    }
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
    case WM_DRAWITEM:
        if (drawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        return FALSE;
    case WM_CTLCOLORSTATIC:
        return pageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
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
    if (code == BN_CLICKED) // also STN_CLICKED, a click on a picture that reports clicks
        onClicked(id, from);
    else if (hasClass(from, WC_EDITW) || isRichEdit(from))
        onEditNotification(id, code, from);
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
    for (const Placed& p : placed_)
        fitStaticText(p.control); // a text the platform's face made wider keeps its room
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::placeControl(int id, int left, int top, int width, int height, Anchor anchor)
{
    const HWND target = control(id);
    RECT place{left, top, left + width, top + height};
    MapDialogRect(hwnd_, &place);
    for (Placed& p : placed_)
        if (p.control == target) {
            p.base = place;
            p.anchor = anchor;
        }
    followSize();
}

HWND Win32Window::control(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

void Win32Window::setCaption(const std::string& text) { SetWindowTextW(hwnd_, fromUtf8(text).c_str()); }

std::string Win32Window::caption() const { return toUtf8(windowText(hwnd_)); }

void Win32Window::setControlText(int id, const std::string& text)
{
    HWND c = control(id);
    // The edit box holds display text with its line breaks; every other
    // control shows its bytes as they are.
    settingText_ = true;
    SetWindowTextW(c, (isMultiLineEdit(c) ? toDisplay(text) : fromUtf8(text)).c_str());
    settingText_ = false;
    fitStaticText(c);
    if (isRichEdit(c)) {
        // The program's text starts afresh: nothing to undo, no marks until the
        // program sets them for this text, colours laid anew.
        RichState fresh;
        fresh.undoText = richText(c);
        fresh.changes = rich_[id].changes;
        rich_[id] = std::move(fresh);
        colourRichEdit(c);
    }
}

std::string Win32Window::controlText(int id) const
{
    HWND c = control(id);
    if (isRichEdit(c))
        return fromDisplay(richText(c));
    return isMultiLineEdit(c) ? fromDisplay(windowText(c)) : toUtf8(windowText(c));
}

void Win32Window::enableControl(int id, bool enabled) { EnableWindow(control(id), enabled); }

bool Win32Window::isControlEnabled(int id) const { return IsWindowEnabled(control(id)); }

void Win32Window::setFocus(int id)
{
    // The dialog manager selects all of an edit control's text as it takes
    // the focus; a multi-line box keeps its caret and selection instead, or
    // the next key typed would replace the whole text.
    const HWND target = control(id);
    const bool keepSelection = target && (GetWindowLongPtrW(target, GWL_STYLE) & ES_MULTILINE);
    DWORD from = 0, to = 0;
    if (keepSelection)
        SendMessageW(target, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    if (keepSelection)
        SendMessageW(target, EM_SETSEL, from, to);
}

int Win32Window::focusedControl() const
{
    // The focus may be inside a control (a date picker's edit): the control is the dialog's child holding it.
    for (HWND w = GetFocus(); w && w != hwnd_; w = GetParent(w))
        if (GetParent(w) == hwnd_)
            return GetDlgCtrlID(w);
    return 0;
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

WindowPlacement Win32Window::placement() const
{
    WINDOWPLACEMENT now{};
    now.length = sizeof now;
    GetWindowPlacement(hwnd_, &now);
    const RECT& r = now.rcNormalPosition;
    return {{r.left, r.top, r.right, r.bottom}, now.showCmd == SW_SHOWMAXIMIZED || IsZoomed(hwnd_)};
}

bool Win32Window::place(const WindowPlacement& placement)
{
    RECT r{placement.normal.left, placement.normal.top, placement.normal.right, placement.normal.bottom};
    // Only where a screen shows it (one taken away since would leave it out of reach).
    if (IsRectEmpty(&r) || !MonitorFromRect(&r, MONITOR_DEFAULTTONULL))
        return false;
    WINDOWPLACEMENT wanted{};
    wanted.length = sizeof wanted;
    wanted.showCmd = IsWindowVisible(hwnd_) ? (placement.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL) : SW_HIDE;
    wanted.rcNormalPosition = r;
    SetWindowPlacement(hwnd_, &wanted);
    placedByProgram_ = true;
    showMaximized_ = placement.maximized; // shown so once the window comes up
    return true;
}

PixelRect Win32Window::screenRect() const
{
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

PixelRect Win32Window::workArea() const
{
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

void Win32Window::moveTo(int left, int top)
{
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(hwnd_);
}

void Win32Window::endDialog(int result)
{
    result_ = result;
    ended_ = true;
    if (hwnd_)
        PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the loop waiting for a message
}

} // namespace scrivlet::ui
