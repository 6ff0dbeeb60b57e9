#pragma once

// The Win32 backend driven as a user would: real mouse and key input
// (SendInput) from a second thread, the "hand", while the window's thread runs
// its message loops, its menus' and its message boxes' own loops included.
// Used by the contract suite and by the editor's tests on Windows.

#include "BackendDriver.h"
#include "gui/Win32Screenshot.h"
#include "resources/ResourceIds.h"
#include "ui/win32/Win32Platform.h"
#include "ui/win32/Win32Window.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Text.h"
#include "ui/PicturePlace.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <cctype>
#include <gtest/gtest.h>
#include <thread>

namespace scrivlet::contract {

namespace win32input {

inline void send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

inline INPUT mouse(POINT at, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

inline INPUT key(WORD virtualKey, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

inline void moveTo(POINT at) { send({mouse(at, 0)}); }
inline void rightClick(POINT at) { send({mouse(at, 0), mouse(at, MOUSEEVENTF_RIGHTDOWN), mouse(at, MOUSEEVENTF_RIGHTUP)}); }
inline void press(POINT at) { send({mouse(at, 0), mouse(at, MOUSEEVENTF_LEFTDOWN)}); }
inline void release(POINT at) { send({mouse(at, MOUSEEVENTF_LEFTUP)}); }
inline void click(POINT at) { send({mouse(at, 0), mouse(at, MOUSEEVENTF_LEFTDOWN), mouse(at, MOUSEEVENTF_LEFTUP)}); }

// A key with its modifiers held, e.g. tap(VK_END, {VK_CONTROL}).
inline void tap(WORD virtualKey, std::vector<WORD> held = {})
{
    std::vector<INPUT> inputs;
    for (WORD h : held)
        inputs.push_back(key(h, false));
    inputs.push_back(key(virtualKey, false));
    inputs.push_back(key(virtualKey, true));
    for (auto h = held.rbegin(); h != held.rend(); ++h)
        inputs.push_back(key(*h, true));
    send(inputs);
}

// A character as the keys that type it on this keyboard.
inline void typeCharacter(wchar_t c)
{
    if (c == L'\r') {
        tap(VK_RETURN);
        return;
    }
    const SHORT keys = VkKeyScanW(c);
    if (keys != -1) {
        std::vector<WORD> held;
        if (keys & 0x100)
            held.push_back(VK_SHIFT);
        tap(static_cast<WORD>(keys & 0xFF), held);
        return;
    }
    INPUT down{}; // no key types it: the character itself
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    send({down, up});
}

inline POINT centreOf(RECT r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// "Ctrl+V", "Ctrl+Return", "F3": the key and the modifiers held with it.
inline bool parseKeys(const std::string& keys, WORD& key, std::vector<WORD>& held)
{
    std::string rest = keys;
    for (const auto& [word, modifier] : {std::pair<std::string, WORD>{"Ctrl+", VK_CONTROL}, {"Shift+", VK_SHIFT}, {"Alt+", VK_MENU}})
        if (rest.rfind(word, 0) == 0) {
            held.push_back(modifier);
            rest = rest.substr(word.size());
        }
    if (rest.size() == 1)
        key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
    else if (rest == "Return" || rest == "Enter")
        key = VK_RETURN;
    else if (rest.size() >= 2 && rest[0] == 'F' && std::isdigit(static_cast<unsigned char>(rest[1])))
        key = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
    else if (rest == "Delete")
        key = VK_DELETE;
    else if (rest == "Backspace")
        key = VK_BACK;
    else if (rest == "Escape")
        key = VK_ESCAPE;
    else if (rest == "Home" || rest == "End" || rest == "Down" || rest == "Up" || rest == "Left" || rest == "Right")
        key = rest == "Home" ? VK_HOME : rest == "End" ? VK_END : rest == "Down" ? VK_DOWN : rest == "Up" ? VK_UP : rest == "Left" ? VK_LEFT : VK_RIGHT;
    else
        return false;
    return true;
}

// What the screen shows in `r` as grey levels, a row after another.
inline std::vector<std::uint8_t> greysOf(RECT r)
{
    const std::vector<std::uint8_t> rgb = testing::screenRgb(r);
    std::vector<std::uint8_t> greys;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        greys.push_back(static_cast<std::uint8_t>((rgb[i] * 30 + rgb[i + 1] * 59 + rgb[i + 2] * 11) / 100));
    return greys;
}

} // namespace win32input

class Win32Driver : public EditorDriver {
public:
    std::string name() const override { return "win32"; }

    ui::Window& openMain(ui::DialogHandler& handler) override
    {
        main_ = std::make_unique<ui::Win32Window>(*ui::findDialogTemplate(ids::MainDialogTemplate), handler);
        handler.attach(*main_);
        main_->create(nullptr);
        settle();
        return *main_;
    }

    int runModal(int templateId, ui::DialogHandler& handler, const std::function<void()>& user) override
    {
        int result = ui::IdCancel;
        whileModalIsUp(templateId, user, [&] { result = platform_.runModal(templateId, handler, *main_); });
        return result;
    }

    // Runs `causeIt`, which opens the dialog of `templateId`; `user` acts once
    // it is up (from a timer its own loop runs), and a dialog still open
    // afterwards is cancelled.
    void whileModalIsUp(int templateId, const std::function<void()>& user, const std::function<void()>& causeIt) override
    {
        bool seen = false;
        pending() = [&, templateId] {
            ui::Win32Window* modal = shownDialog(templateId);
            if (!modal)
                return false;
            seen = true;
            modals_.push_back(modal);
            settle();
            user();
            settle();
            if (!modal->ended())
                modal->endDialog(ui::IdCancel);
            modals_.pop_back();
            return true;
        };
        SetTimer(nullptr, 0, 20, &Win32Driver::onTimer);
        causeIt();
        pending() = nullptr; // a timer still set ends itself
        settle();
        EXPECT_TRUE(seen) << "the dialog " << templateId << " never came up";
    }

    ui::Win32Window& mainWindow() override { return *main_; }
    void setNextFileChoice(const ui::FileChoice& choice) override { ui::Win32Window::setNextFileChoice(choice); }
    ui::Window& topModal() override { return *modals_.back(); }

    void screenshot(const char* name) override
    {
        testing::saveScreenshot(modals_.empty() ? main_->handle() : modals_.back()->handle(), name);
    }

    std::vector<std::string> openDialogFileTypes(const std::function<void()>& causeIt) override
    {
        std::vector<std::string> shown;
        std::atomic<bool> stop = false;
        std::thread hand([&] {
            // The platform's own open-file dialog, with its file-type box (cmb1).
            HWND chooser = nullptr;
            while (!stop && !chooser) {
                Sleep(50);
                chooser = FindWindowW(L"#32770", L"Open");
            }
            if (!chooser)
                return;
            Sleep(300);
            HWND types = GetDlgItem(chooser, 0x470);
            const int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                std::wstring item(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
                item.resize(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
                shown.push_back(ui::win32::toUtf8(item));
            }
            testing::saveScreenshot(chooser, "win32-open-file-dialog");
            PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        });
        causeIt();
        stop = true;
        hand.join();
        settle();
        return shown;
    }

    WindowLook windowLook(ui::Window& window) override
    {
        const HWND main = dynamic_cast<ui::Win32Window&>(window).handle();
        const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
        WindowLook look{(style & WS_MINIMIZEBOX) != 0, (style & WS_MAXIMIZEBOX) != 0, {}};
        for (WPARAM which : {ICON_SMALL, ICON_BIG}) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, which, 0));
            ICONINFO info{};
            if (!icon || !GetIconInfo(icon, &info))
                continue;
            BITMAP picture{};
            GetObjectW(info.hbmColor, sizeof picture, &picture);
            look.iconSizes.push_back(picture.bmWidth);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return look;
    }

    ui::PixelRect controlRect(int id) override
    {
        RECT r{};
        GetWindowRect(control(id), &r);
        MapWindowPoints(nullptr, GetAncestor(control(id), GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }

    void resizeMainWindowBy(int dx, int dy) override
    {
        RECT frame{};
        GetWindowRect(main_->handle(), &frame);
        SetWindowPos(main_->handle(), nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER);
        settle();
    }

    // The program counts a line break as two characters, the rich edit box as one.
    LONG boxPosition(int editId, int position) const
    {
        const std::string text = main_->controlText(editId);
        const std::vector<long> places = ui::win32::richPlaces(text);
        return static_cast<LONG>(places[static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(text.size())))]);
    }

    std::string hoverTip(int editId, int index) override
    {
        const HWND edit = control(editId);
        POINTL corner{};
        SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&corner), boxPosition(editId, index));
        POINT at{corner.x + 2, corner.y + 4}; // over the character itself
        ClientToScreen(edit, &at);
        return tipWhereTheMouseRests(at);
    }

    // Moves the mouse to a screen point, waits for a tip, then moves it away
    // again, so that the next step starts with no tip up.
    std::string tipWhereTheMouseRests(POINT at)
    {
        hand([at] { win32input::send({win32input::mouse(at, 0)}); });
        std::string tip;
        const DWORD start = GetTickCount();
        while (tip.empty() && GetTickCount() - start < 1500) {
            if (!pumpOnce())
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            tip = main_->shownToolTip();
        }
        hand([] { win32input::send({win32input::mouse({1, 1}, 0)}); });
        return tip;
    }

    void dropFiles(int controlId, const std::vector<std::string>& paths) override
    {
        // What the shell posts when files are dropped: WM_DROPFILES with an
        // HDROP (a DROPFILES header and the wide paths, each ended, then one
        // more end), to the window under the drop that accepts files.
        std::wstring names;
        for (const std::string& path : paths)
            names += ui::win32::fromUtf8(path) + L'\0';
        names += L'\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        HWND target = control(controlId);
        while (target && !(GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
            target = GetParent(target);
        if (!target) {
            GlobalFree(memory);
            return;
        }
        PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
        settle();
    }

    std::string hoverTipBelowText(int editId) override
    {
        const HWND edit = control(editId);
        RECT inside{};
        GetClientRect(edit, &inside);
        POINT at{12, inside.bottom - 6};
        ClientToScreen(edit, &at);
        return tipWhereTheMouseRests(at);
    }

    bool editWarnedAt(int editId, int position) override
    {
        const CHARFORMAT2W format = formatAt(editId, position);
        return !(format.dwEffects & CFE_AUTOBACKCOLOR) && format.crBackColor == RGB(0xFF, 0xE0, 0xA0);
    }

    void dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels) override
    {
        const HWND picture = control(id);
        const ui::PixelImage image = (modals_.empty() ? *main_ : *modals_.back()).shownPicture(id);
        ASSERT_GT(image.width, 0);
        RECT client{};
        GetClientRect(picture, &client);
        std::vector<POINT> points;
        for (const auto& [px, py] : pixels) {
            int x = 0, y = 0;
            ui::pointOfPicturePixel({client.left, client.top, client.right, client.bottom}, image.width, image.height, px, py, x, y);
            POINT at{x, y};
            ClientToScreen(picture, &at);
            points.push_back(at);
        }
        waitOutDoubleClick(points.front());
        hand([=] {
            win32input::press(points.front());
            Sleep(30);
            for (std::size_t k = 1; k < points.size(); ++k) {
                win32input::moveTo(points[k]);
                Sleep(30);
            }
            win32input::release(points.back());
        });
        lastClick_ = {points.back(), GetTickCount()};
    }

    std::uint32_t pictureColourAt(int id, int dx, int dy) override
    {
        const HWND picture = control(id);
        RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        settle();
        RECT inside{};
        GetClientRect(picture, &inside);
        HDC dc = GetDC(picture);
        const COLORREF colour = GetPixel(dc, inside.right / 2 + dx, inside.bottom / 2 + dy);
        ReleaseDC(picture, dc);
        return 0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    }

    CHARFORMAT2W formatAt(int editId, int position)
    {
        const HWND edit = control(editId);
        const LONG at = boxPosition(editId, position);
        CHARRANGE keep{}, one{at, at + 1};
        SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&keep));
        SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&keep));
        return format;
    }

    Mark editMarkAt(int editId, int position) override
    {
        const CHARFORMAT2W format = formatAt(editId, position);
        if (!(format.dwEffects & CFE_AUTOBACKCOLOR) && format.crBackColor == RGB(0xFF, 0xD8, 0xD8))
            return Mark::Error;
        return (format.dwEffects & CFE_AUTOCOLOR) ? Mark::Plain : Mark::Group;
    }

    std::vector<std::string> clippedTexts() override
    {
        ui::Win32Window& window = modals_.empty() ? *main_ : *modals_.back();
        std::vector<std::string> clipped;
        // A text is cut short by its own size, or by a field or button drawn over it.
        const auto coveredByAControl = [&](HWND text) {
            if (!ui::win32::isStatic(text))
                return false;
            RECT mine{};
            GetWindowRect(text, &mine);
            for (HWND other = GetWindow(window.handle(), GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
                if (other == text || !IsWindowVisible(other) || ui::win32::isStatic(other))
                    continue;
                if (ui::win32::hasClass(other, WC_BUTTONW) && (GetWindowLongPtrW(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
                    continue;
                RECT theirs{}, both{};
                GetWindowRect(other, &theirs);
                const bool holdsIt = theirs.left <= mine.left && theirs.top <= mine.top && theirs.right >= mine.right
                    && theirs.bottom >= mine.bottom; // a tab control around its page's texts
                if (!holdsIt && IntersectRect(&both, &mine, &theirs))
                    return true;
            }
            return false;
        };
        for (HWND child = GetWindow(window.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child) && (!window.staticTextFits(child) || coveredByAControl(child))) {
                wchar_t text[512] = {};
                GetWindowTextW(child, text, 512);
                clipped.push_back(ui::win32::toUtf8(text));
            }
        return clipped;
    }

    bool checkBoxIsChecked(int id) override { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    void watchForUnexpectedBoxes() override
    {
        guard_ = std::thread([this, thread = GetCurrentThreadId()] {
            int seenFor = 0;
            while (!stopGuard_) {
                Sleep(100);
                const HWND box = messageBoxOf(thread);
                seenFor = box ? seenFor + 1 : 0;
                if (seenFor > 30) { // three seconds: nobody is answering it
                    wchar_t words[512] = {};
                    GetDlgItemTextW(box, 0xFFFF, words, 512);
                    std::lock_guard<std::mutex> hold(unexpectedLock_);
                    unexpected_ += ui::win32::toUtf8(words) + "\n";
                    PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK, 0);
                    seenFor = 0;
                }
            }
        });
    }
    std::string unexpectedBoxes() override
    {
        std::lock_guard<std::mutex> hold(unexpectedLock_);
        return unexpected_;
    }

    ~Win32Driver() override
    {
        stopGuard_ = true;
        if (guard_.joinable())
            guard_.join();
    }

    // A message box of the window's thread: the platform's dialog class, none of
    // ours, with an OK or a Yes button.
    static HWND messageBoxOf(DWORD thread)
    {
        HWND found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND hwnd, LPARAM result) {
                wchar_t className[16] = {};
                GetClassNameW(hwnd, className, 16);
                if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(hwnd) && !ui::Win32Window::owning(hwnd)
                    && (GetDlgItem(hwnd, IDOK) || GetDlgItem(hwnd, IDYES))) {
                    *reinterpret_cast<HWND*>(result) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }


    void chooseMenu(int commandId) override
    {
        const auto [bar, item] = menuPosition(commandId);
        const HWND owner = main_->handle();
        nearTitle(bar);
        const bool gray = GetMenuState(GetMenu(owner), static_cast<UINT>(commandId), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
        hand([=] {
            openMenu(owner, bar);
            // The item's height from the menu; across, the middle of the open
            // menu (wine places a right-aligned menu's items at the bar's left).
            const HMENU menu = GetSubMenu(GetMenu(owner), bar);
            RECT r{}, popup{};
            GetMenuItemRect(owner, menu, static_cast<UINT>(item), &r);
            GetWindowRect(openMenuWindow(), &popup);
            const POINT at{(popup.left + popup.right) / 2, (r.top + r.bottom) / 2};
            // The pointer rests on the item until the menu shows it chosen, then clicks.
            waitFor([&] {
                win32input::moveTo(at);
                Sleep(20);
                return (GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_HILITE) != 0;
            }, 1000);
            win32input::click(at);
            if (gray) { // a gray item leaves its menu open: a click on its title closes it
                Sleep(150);
                closeMenu(owner, bar);
            }
        });
    }

    MenuItemLook menuItemLook(int commandId) override
    {
        const auto [bar, item] = menuPosition(commandId);
        const HWND owner = main_->handle();
        nearTitle(bar);
        MenuItemLook look;
        hand([&, bar = bar, item = item] {
            openMenu(owner, bar);
            const HMENU menu = GetSubMenu(GetMenu(owner), bar);
            RECT r{}, popup{};
            GetMenuItemRect(owner, menu, static_cast<UINT>(item), &r);
            GetWindowRect(openMenuWindow(), &popup);
            // Wine may give a right-aligned menu's items at the bar's left: across, the open menu's own.
            r.left = popup.left + 2;
            r.right = popup.right - 2;
            const std::vector<std::uint8_t> greys = win32input::greysOf(r);
            closeMenu(owner, bar);
            const int width = r.right - r.left;
            if (greys.empty() || width <= 0)
                return;
            look.found = true;
            const int column = GetSystemMetrics(SM_CXMENUCHECK) + 4; // the check column, left of the caption
            for (std::size_t i = 0; i < greys.size(); ++i) {
                if (static_cast<int>(i % static_cast<std::size_t>(width)) < column)
                    look.checkInk += greys[i] < 128;
                else
                    look.darkestText = std::min<int>(look.darkestText, greys[i]);
            }
        });
        return look;
    }

    void openAndCloseMenu(int commandId) override
    {
        const int bar = menuPosition(commandId).first;
        const HWND owner = main_->handle();
        nearTitle(bar);
        hand([=] {
            openMenu(owner, bar);
            closeMenu(owner, bar);
        });
    }

    void clickRow(int listId, int row) override { clickAt(rowCentre(listId, row)); }

    void rightClickRow(int listId, int row) override
    {
        const POINT at = rowCentre(listId, row);
        waitOutDoubleClick(at);
        hand([at] { win32input::rightClick(at); });
        lastClick_ = {};
    }

    void clickControl(int id) override
    {
        RECT r{};
        GetWindowRect(control(id), &r);
        clickAt(win32input::centreOf(r));
    }

    void doubleClickRow(int listId, int row) override
    {
        const POINT at = rowCentre(listId, row);
        waitOutDoubleClick(at);
        hand([=] {
            win32input::click(at);
            win32input::click(at);
        });
        lastClick_ = {at, GetTickCount()};
    }

    void dragRows(int listId, int fromRow, int toRow) override
    {
        const POINT from = rowCentre(listId, fromRow);
        const POINT to = rowCentre(listId, toRow);
        waitOutDoubleClick(from);
        hand([=] {
            win32input::press(from);
            Sleep(30);
            for (int step = 1; step <= 4; ++step) {
                win32input::moveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
                Sleep(30);
            }
            win32input::release(to);
        });
        lastClick_ = {to, GetTickCount()};
    }

    void pressDownKey(int listId) override { keysTo(listId, [] { win32input::tap(VK_DOWN); }); }
    void typeAhead(int listId, char letter) override
    {
        keysTo(listId, [letter] { win32input::typeCharacter(static_cast<unsigned char>(letter)); });
    }

    void clickInto(int controlId) override
    {
        RECT r{};
        GetWindowRect(control(controlId), &r);
        clickAt({r.left + 6, r.top + 6});
    }

    void typeKeys(int editId, const std::string& keys) override
    {
        const bool multiLine = GetWindowLongPtrW(control(editId), GWL_STYLE) & ES_MULTILINE;
        // Typing goes on at the end of the text, a key at a time, each let
        // through before the next: keys can come from the window system later
        // than the program's own messages, and a burst of them would not all
        // be in by the time the test looks.
        keysTo(editId, [multiLine] {
            if (multiLine)
                win32input::tap(VK_END, {VK_CONTROL});
            else
                win32input::tap(VK_END);
        });
        for (const wchar_t key : ui::win32::fromUtf8(keys))
            keysTo(editId, [key] { win32input::typeCharacter(key); });
    }

    void pressKey(int controlId, WORD virtualKey)
    {
        keysTo(controlId, [virtualKey] { win32input::tap(virtualKey); });
    }
    void selectAllIn(int editId) override { keysTo(editId, [] { win32input::tap('A', {VK_CONTROL}); }); }

    void pressKeys(int controlId, const std::string& keys) override
    {
        WORD key = 0;
        std::vector<WORD> held;
        ASSERT_TRUE(win32input::parseKeys(keys, key, held)) << keys;
        keysTo(controlId, [key, held] { win32input::tap(key, held); });
    }
    void pressEnter() override { hand([] { win32input::tap(VK_RETURN); }); }
    void pressEscape() override { hand([] { win32input::tap(VK_ESCAPE); }); }
    // A click on the title bar's close box, which wine draws where no window
    // manager does; where there is none to find, its key (the system menu's Close).
    void pressCloseBox() override
    {
        const HWND window = modals_.empty() ? main_->handle() : modals_.back()->handle();
        RECT frame{};
        GetWindowRect(window, &frame);
        const int y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        for (int x = frame.right - 2; x > (frame.left + frame.right) / 2; --x)
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                clickAt({x - 2, y});
                return;
            }
        hand([] { win32input::tap(VK_F4, {VK_MENU}); });
    }

    bool topWindowIsUp() override { return modals_.empty() ? !main_->ended() : !modals_.back()->ended(); }

    void clickButton(int id) override
    {
        RECT r{};
        GetWindowRect(control(id), &r);
        clickAt(win32input::centreOf(r));
    }

    void selectTab(int tabId, int index) override
    {
        const HWND tab = control(tabId);
        RECT r{};
        SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&r), 2);
        clickAt(win32input::centreOf(r));
    }

    int highlightedRow(int listId) override
    {
        return static_cast<int>(SendMessageW(control(listId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    ui::MessageRecord answerMessageBox(const std::function<void()>& causeIt) override { return answerBox(IDOK, causeIt); }

    ui::MessageRecord answerQuestion(ui::Answer answer, const std::function<void()>& causeIt) override
    {
        return answerBox(answer == ui::Answer::Yes ? IDYES : answer == ui::Answer::No ? IDNO : IDCANCEL, causeIt);
    }

    void typeIntoOpenDialog(const std::string& path, const std::function<void()>& causeIt) override
    {
        std::atomic<bool> typed = false, stop = false;
        std::thread hand([&] {
            // Wait for the dialog and its file name field: on a busy machine the
            // dialog is up well before its controls are.
            HWND chooser = nullptr, name = nullptr;
            for (int waited = 0; !stop && !name && waited < 20000; waited += 50) {
                Sleep(50);
                chooser = FindWindowW(L"#32770", L"Open");
                name = chooser ? openDialogNameField(chooser) : nullptr;
            }
            if (!name)
                return;
            const std::wstring wide = ui::win32::fromUtf8(path);
            // Keys typed before the field has the keyboard are lost: type until the field holds the path.
            for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
                Sleep(300);
                RECT r{};
                GetWindowRect(name, &r);
                win32input::click(win32input::centreOf(r));
                Sleep(100);
                SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
                for (wchar_t c : wide) {
                    win32input::typeCharacter(c);
                    Sleep(5);
                }
                Sleep(100);
                typed = windowText(name) == wide;
            }
            if (typed)
                win32input::tap(VK_RETURN);
            else
                PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0); // fail the test, never hang it
        });
        causeIt();
        stop = true;
        hand.join();
        settle();
        lastClick_ = {};
        EXPECT_TRUE(typed) << "the open-file dialog never came up, or its file name field never took the keys";
    }

    // The file name field: the edit inside the combo box (cmb13), or the plain edit of older dialogs (edt1).
    static HWND openDialogNameField(HWND chooser)
    {
        HWND found = nullptr;
        EnumChildWindows(
            chooser,
            [](HWND child, LPARAM result) -> BOOL {
                wchar_t className[16] = {};
                GetClassNameW(child, className, 16);
                const int id = GetDlgCtrlID(child);
                if (lstrcmpiW(className, L"Edit") == 0 && (id == 0x47C || id == 0x480) && IsWindowVisible(child)) {
                    *reinterpret_cast<HWND*>(result) = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static std::wstring windowText(HWND window)
    {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    // Lets the window's thread run until nothing has come for a while.
    // Lets the window's thread run until nothing but timers and painting
    // has come for a while (a caret blinks for as long as it is shown).
    static void settle(DWORD quietFor = 60)
    {
        const DWORD start = GetTickCount();
        DWORD lastEvent = start;
        while (GetTickCount() - lastEvent < quietFor && GetTickCount() - start < 5000) {
            MSG message;
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                continue;
            }
            if (message.message != WM_TIMER && message.message != 0x0118 /* the system's timers */ && message.message != WM_PAINT)
                lastEvent = GetTickCount();
            dispatch(message);
        }
    }

    // The modal dialog the user acts on now, if any.
    ui::Win32Window* topModal() const { return modals_.empty() ? nullptr : modals_.back(); }

    // The control of the dialog the user acts on: the modal one that is up, else the main window.
    HWND control(int id) const { return GetDlgItem(modals_.empty() ? main_->handle() : modals_.back()->handle(), id); }

    // A dialog of ours from `templateId` shown by this thread, other than the main window.
    ui::Win32Window* shownDialog(int templateId) const
    {
        std::pair<int, ui::Win32Window*> search{templateId, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM found) {
                auto& [id, dialog] = *reinterpret_cast<std::pair<int, ui::Win32Window*>*>(found);
                ui::Win32Window* window = ui::Win32Window::owning(hwnd);
                if (window && window->handle() == hwnd && window->templateId() == id && IsWindowVisible(hwnd) && !window->ended()) {
                    dialog = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second == main_.get() ? nullptr : search.second;
    }

private:
    // Runs `causeIt`, presses `button` in the box it shows, and tells what the box was.
    ui::MessageRecord answerBox(int button, const std::function<void()>& causeIt)
    {
        ui::MessageRecord seen{};
        std::atomic<bool> stop = false;
        const DWORD thread = GetCurrentThreadId();
        std::thread hand([&] {
            while (!stop) {
                if (const HWND box = messageBoxOf(thread)) {
                    Sleep(50);
                    seen = describe(box);
                    RECT r{};
                    GetWindowRect(GetDlgItem(box, button), &r);
                    win32input::click(win32input::centreOf(r));
                    return;
                }
                Sleep(20);
            }
        });
        causeIt();
        stop = true; // no box came: stop looking
        hand.join();
        settle();
        lastClick_ = {};
        return seen;
    }

    static std::function<bool()>& pending()
    {
        static std::function<bool()> waiting;
        return waiting;
    }

    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer); // the user acts once, from inside the dialog's loop
        if (!pending())
            return;
        std::function<bool()> user = std::move(pending());
        pending() = nullptr;
        if (!user()) {
            pending() = std::move(user); // not up yet: look again
            SetTimer(nullptr, 0, 20, &Win32Driver::onTimer);
        }
    }

    static void dispatch(MSG& message)
    {
        if (!ui::Win32Window::preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static bool pumpOnce()
    {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            return false;
        dispatch(message);
        return true;
    }

    // Runs `inputs` on the hand's thread while this thread runs the window.
    static void hand(const std::function<void()>& inputs)
    {
        std::atomic<bool> done = false;
        std::thread hand([&] {
            inputs();
            done = true;
        });
        while (!done)
            if (!pumpOnce())
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        hand.join();
        settle();
    }

    // Keys go to the focused control: the named one, which takes the focus first if it has not got it.
    void keysTo(int controlId, const std::function<void()>& keys)
    {
        const HWND target = control(controlId);
        if (GetFocus() != target)
            SetFocus(target);
        hand(keys);
    }

    void clickAt(POINT at)
    {
        waitOutDoubleClick(at);
        hand([at] { win32input::click(at); });
        lastClick_ = {at, GetTickCount()};
    }

    // A menu's title is clicked to open it: not as the second click of a double click.
    void nearTitle(int bar)
    {
        const POINT title = titleOf(main_->handle(), bar);
        waitOutDoubleClick(title);
        lastClick_ = {title, GetTickCount()};
    }

    // Two clicks on one spot within the double-click time are a double click: a single click waits that out.
    void waitOutDoubleClick(POINT at)
    {
        const auto& [where, when] = lastClick_;
        const DWORD since = GetTickCount() - when;
        if (when && std::abs(where.x - at.x) < 8 && std::abs(where.y - at.y) < 8 && since <= GetDoubleClickTime())
            Sleep(GetDoubleClickTime() - since + 50);
    }

    POINT rowCentre(int listId, int row)
    {
        const HWND list = control(listId);
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        settle();
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return {r.left + 20, (r.top + r.bottom) / 2};
    }

    // Where the command is: its menu's place in the bar and its place in that menu.
    std::pair<int, int> menuPosition(int commandId) const
    {
        const HMENU bar = GetMenu(main_->handle());
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            const HMENU menu = GetSubMenu(bar, i);
            for (int j = 0; j < GetMenuItemCount(menu); ++j)
                if (GetMenuItemID(menu, j) == static_cast<UINT>(commandId))
                    return {i, j};
        }
        ADD_FAILURE() << "no menu item " << commandId;
        return {0, 0};
    }

    // The menu that is open: the visible one of the platform's menu windows.
    static HWND openMenuWindow()
    {
        for (HWND popup = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); popup;
             popup = FindWindowExW(nullptr, popup, L"#32768", nullptr))
            if (IsWindowVisible(popup))
                return popup;
        return nullptr;
    }
    static bool menuIsOpen() { return openMenuWindow() != nullptr; }

    static void waitFor(const std::function<bool()>& done, DWORD milliseconds = 3000)
    {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < milliseconds)
            Sleep(10);
    }

    static POINT titleOf(HWND owner, int bar)
    {
        RECT r{};
        GetMenuItemRect(owner, GetMenu(owner), static_cast<UINT>(bar), &r);
        return win32input::centreOf(r);
    }

    // Opens the menu with a click on its title, and waits until that menu
    // (not one closing after the last command) is the one shown below it.
    static void openMenu(HWND owner, int bar)
    {
        waitFor([] { return !menuIsOpen(); }, 1000);
        RECT title{};
        GetMenuItemRect(owner, GetMenu(owner), static_cast<UINT>(bar), &title);
        win32input::click(win32input::centreOf(title));
        waitFor([&] {
            RECT popup{};
            const HWND shown = openMenuWindow();
            return shown && GetWindowRect(shown, &popup) && std::abs(popup.left - title.left) <= 8 && popup.top >= title.top;
        });
        Sleep(50);
    }

    // A second click on the title closes the menu unchosen.
    static void closeMenu(HWND owner, int bar)
    {
        // A few pixels beside the opening click, which would otherwise make a double click.
        const POINT title = titleOf(owner, bar);
        win32input::click({title.x + 6, title.y});
        waitFor([] { return !menuIsOpen(); });
    }

    static ui::MessageRecord describe(HWND box)
    {
        const auto text = [](HWND hwnd) {
            std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
            s.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
            return ui::win32::toUtf8(s);
        };
        // The words are the box's static text (0xFFFF); the icon, a static showing one.
        ui::MessageRecord record{text(GetDlgItem(box, 0xFFFF)), text(box), ui::MessageIcon::None, "", {}};
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
                if (const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0))) {
                    // Only the very icon of the kind counts: a stop sign is no exclamation mark.
                    if (icon == LoadIconW(nullptr, IDI_QUESTION))
                        record.icon = ui::MessageIcon::Question;
                    else if (icon == LoadIconW(nullptr, IDI_EXCLAMATION))
                        record.icon = ui::MessageIcon::Exclamation;
                }
        if (const HWND owner = GetWindow(box, GW_OWNER))
            record.owner = text(owner);
        for (const auto& [id, name] : {std::pair{IDOK, "OK"}, std::pair{IDYES, "Yes"}, std::pair{IDNO, "No"}, std::pair{IDCANCEL, "Cancel"}})
            if (const HWND button = GetDlgItem(box, id); button && IsWindowVisible(button))
                record.buttons.push_back(name);
        return record;
    }

    ui::Win32Platform platform_;
    std::unique_ptr<ui::Win32Window> main_;
    std::pair<POINT, DWORD> lastClick_{};
    std::vector<ui::Win32Window*> modals_; // the dialogs up, innermost last
    std::thread guard_;
    std::atomic<bool> stopGuard_ = false;
    std::mutex unexpectedLock_;
    std::string unexpected_;
};

} // namespace scrivlet::contract
