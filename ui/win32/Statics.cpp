// Static texts and pictures: the colour of those on a tab's page, and texts
// that always fit: the templates are laid out for MS Sans Serif, and the face
// the platform really uses (Tahoma under wine) can be wider, so a one-line
// text grows to its width and a wrapping one takes a smaller size of its face
// until every line shows. A click on a picture is reported from Buttons.cpp,
// where the platform sends it.
#include "Win32Window.h"

#include "Controls.h"
#include "ui/PicturePlace.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

namespace scrivlet::ui {

using namespace win32;

INT_PTR Win32Window::pageColour(HDC dc, HWND control)
{
    // Texts and pictures on a tab's page take the page's colour.
    if (!onPage_.count(control))
        return FALSE;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

namespace {

bool isText(HWND control)
{
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
    return isStatic(control) && type != SS_BITMAP && type != SS_ICON && type != SS_ETCHEDHORZ;
}

// The room the text needs at the control's width (one line: its whole width).
SIZE neededFor(HWND control, HFONT font)
{
    RECT client{};
    GetClientRect(control, &client);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const bool oneLine = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
    const std::wstring text = windowText(control);
    RECT need{0, 0, oneLine ? 0 : client.right, 0};
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
        DT_CALCRECT | DT_EXPANDTABS | (oneLine ? DT_SINGLELINE : DT_WORDBREAK) | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {need.right - need.left, need.bottom - need.top};
}

} // namespace

namespace {

// Where the control to the right of a one-line text begins (a field beside its
// label), in the parent's pixels; LONG max when nothing stands there.
LONG neighbourOnTheRight(HWND control, const RECT& frame)
{
    LONG nearest = std::numeric_limits<LONG>::max();
    for (HWND other = GetWindow(GetParent(control), GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
        const bool groupBox = hasClass(other, WC_BUTTONW) && (GetWindowLongPtrW(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        // Its own visible style: while the dialog is being made no window shows yet.
        const bool shown = (GetWindowLongPtrW(other, GWL_STYLE) & WS_VISIBLE) != 0;
        if (other == control || !shown || groupBox || isStatic(other))
            continue;
        RECT r{};
        GetWindowRect(other, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        // Beside it: starting right of its left edge, on its line.
        if (r.left > frame.left && r.top < frame.bottom && r.bottom > frame.top)
            nearest = std::min(nearest, r.left);
    }
    return nearest;
}

RECT frameOf(HWND control)
{
    RECT frame{};
    GetWindowRect(control, &frame);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&frame), 2);
    return frame;
}

bool oneLine(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP; }

} // namespace

bool Win32Window::staticTextFits(HWND control) const
{
    if (!isText(control) || (GetWindowLongPtrW(control, GWL_STYLE) & SS_ENDELLIPSIS) == SS_ENDELLIPSIS)
        return true; // a text that may end in "..." is drawn so by design
    RECT client{};
    GetClientRect(control, &client);
    const SIZE need = neededFor(control, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    // Dialog units rounded to pixels can leave a label's last pixels under the field beside it.
    const RECT frame = frameOf(control);
    const bool underNeighbour = oneLine(control) && frame.right > neighbourOnTheRight(control, frame);
    return need.cx <= client.right && need.cy <= client.bottom && !underNeighbour;
}

void Win32Window::fitStaticText(HWND control)
{
    if (!isText(control) || staticTextFits(control))
        return;
    RECT client{};
    GetClientRect(control, &client);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (oneLine(control)) {
        // One line grows to the right, as far as its text needs, but never
        // under the control beside it (a label before its field): what the
        // right has no room for it takes from the left.
        const RECT frame = frameOf(control);
        const SIZE need = neededFor(control, font);
        const LONG width = std::max(frame.right - frame.left, frame.right - frame.left + need.cx - client.right + 1);
        const LONG neighbour = neighbourOnTheRight(control, frame);
        const LONG left = frame.left + width <= neighbour ? frame.left : std::max<LONG>(0, neighbour - width);
        SetWindowPos(control, nullptr, left, frame.top, std::min(width, neighbour - left), frame.bottom - frame.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // A wrapping text takes its face a pixel smaller at a time, down to 7 pixels.
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    const LONG start = face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
    for (LONG height = start - 1; height >= 7; --height) {
        face.lfHeight = -height;
        HFONT smaller = CreateFontIndirectW(&face);
        const SIZE need = neededFor(control, smaller);
        if (need.cy <= client.bottom && need.cx <= client.right) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(smaller), TRUE);
            fittedFonts_.push_back(smaller);
            return;
        }
        DeleteObject(smaller);
    }
}

void Win32Window::setControlPicture(int id, const PixelImage& image)
{
    pictures_[id] = image;
    if (const HWND picture = control(id))
        InvalidateRect(picture, nullptr, TRUE);
}

// A picture at its size in the middle of its control, or scaled down as a
// whole where it is larger; the rest in the colour of its top-left pixel.
bool Win32Window::drawPicture(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_STATIC)
        return false;
    const auto shown = pictures_.find(static_cast<int>(item.CtlID));
    const RECT& room = item.rcItem;
    const bool empty = shown == pictures_.end() || shown->second.width <= 0 || shown->second.height <= 0;
    const COLORREF ground = empty ? GetSysColor(COLOR_BTNFACE)
                                  : RGB(shown->second.argb[0] >> 16 & 0xFF, shown->second.argb[0] >> 8 & 0xFF, shown->second.argb[0] & 0xFF);
    HBRUSH brush = CreateSolidBrush(ground);
    FillRect(item.hDC, &room, brush);
    DeleteObject(brush);
    if (empty)
        return true;
    const PixelImage& image = shown->second;
    const PixelRect place = picturePlace({room.left, room.top, room.right, room.bottom}, image.width, image.height);
    const int width = place.right - place.left, height = place.bottom - place.top;
    const bool scaled = width < image.width || height < image.height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32; // 0xAARRGGBB is BGRA in memory, as a DIB wants it
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(item.hDC, scaled ? HALFTONE : COLORONCOLOR);
    StretchDIBits(item.hDC, place.left, place.top, width, height, 0, 0,
        image.width, image.height, image.argb.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    return true;
}

LRESULT CALLBACK Win32Window::pictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<Win32Window*>(self)->pictureMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::pictureMessage(HWND picture, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int id = GetDlgCtrlID(picture);
    const auto shown = pictures_.find(id);
    const bool hasPicture = shown != pictures_.end() && shown->second.width > 0 && shown->second.height > 0;
    RECT client{};
    GetClientRect(picture, &client);
    const PixelRect room{client.left, client.top, client.right, client.bottom};
    const int mouseX = static_cast<short>(LOWORD(lParam)), mouseY = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT; // a static is see-through to the mouse unless it says otherwise
    case WM_LBUTTONDOWN: {
        int x = 0, y = 0;
        if (!hasPicture || !picturePixelAt(room, shown->second.width, shown->second.height, mouseX, mouseY, x, y))
            break;
        SetCapture(picture);
        handler_.onPictureMouse(id, MouseAction::Press, x, y);
        return 0;
    }
    case WM_MOUSEMOVE: {
        if (GetCapture() != picture || !(wParam & MK_LBUTTON) || !hasPicture)
            break;
        // Off the picture the move counts at its nearest edge.
        const PixelRect place = picturePlace(room, shown->second.width, shown->second.height);
        int x = 0, y = 0;
        if (picturePixelAt(room, shown->second.width, shown->second.height, std::clamp(mouseX, place.left, place.right - 1),
                std::clamp(mouseY, place.top, place.bottom - 1), x, y))
            handler_.onPictureMouse(id, MouseAction::Drag, x, y);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == picture)
            ReleaseCapture();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(picture, pictureProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(picture, message, wParam, lParam);
}

} // namespace scrivlet::ui
