// The list view: a list of the platform's that holds no copy of its rows
// (owner data): the rows live here and the list asks for the ones it shows,
// so a listing of 8000 rows is one count, not 8000 insertions. The selection
// mark is the list's own index apart from the highlight; rows inserted or
// deleted move neither to another row. A click is reported after the list
// moved the mark, a key after the list acted on it (a letter finds the next
// row starting with it), and a drag as the click on the row it ended on.
#include "Win32Window.h"

#include "Controls.h"
#include "Text.h"

#include <algorithm>

namespace scrivlet::ui {

using namespace win32;

namespace {

// The rows' states the list keeps itself, read and put back around a change
// of the rows.
struct ListStates {
    int mark = -1, selected = -1, focused = -1;
};

ListStates readStates(HWND list)
{
    return {static_cast<int>(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0)),
        static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)),
        static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED))};
}

void setState(HWND list, int row, UINT state, UINT mask)
{
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void putStates(HWND list, const ListStates& states)
{
    setState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (states.selected >= 0)
        setState(list, states.selected, LVIS_SELECTED, LVIS_SELECTED);
    if (states.focused >= 0)
        setState(list, states.focused, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, states.mark);
}

// A row index after row `at` was inserted (+1) or deleted (-1); a deleted
// highlighted or focused row leaves none.
int shifted(int row, int at, int by, bool keepWhenDeleted)
{
    if (row < 0 || row < at)
        return row;
    if (by < 0 && row == at)
        return keepWhenDeleted ? row : -1;
    return row + by;
}

bool startsWith(const std::wstring& row, const wchar_t* prefix)
{
    const int length = lstrlenW(prefix);
    return static_cast<int>(row.size()) >= length
        && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, row.c_str(), length, prefix, length) == CSTR_EQUAL;
}

} // namespace

Win32Window::ListModel& Win32Window::listModel(int id) { return lists_[id]; }

const std::vector<std::wstring>& Win32Window::listRows(int id) const
{
    static const std::vector<std::wstring> none;
    const auto found = lists_.find(id);
    return found == lists_.end() ? none : found->second.rows;
}

void Win32Window::syncListRows()
{
    for (auto& [id, model] : lists_)
        syncListRows(id);
}

void Win32Window::syncListRows(int id)
{
    ListModel& model = listModel(id);
    if (!model.countLags)
        return;
    model.countLags = false;
    const HWND list = control(id);
    SendMessageW(list, LVM_SETITEMCOUNT, model.rows.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
}

void Win32Window::changeRows(int id, int at, int by, const std::function<void(std::vector<std::wstring>&)>& change)
{
    syncListRows(id);
    const HWND list = control(id);
    const ListStates before = readStates(list);
    change(listModel(id).rows);
    SendMessageW(list, LVM_SETITEMCOUNT, listModel(id).rows.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    putStates(list, {shifted(before.mark, at, by, true), shifted(before.selected, at, by, false), shifted(before.focused, at, by, false)});
    InvalidateRect(list, nullptr, FALSE);
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



bool Win32Window::onListNotify(const NMHDR& header, LRESULT& result)
{
    if (!hasClass(header.hwndFrom, WC_LISTVIEWW))
        return false;
    const int id = static_cast<int>(header.idFrom);
    switch (header.code) {
    case NM_CLICK:
        if (!listDragged_) // a drag has already reported its click
            notify(id, Notification::Click);
        return true;
    case NM_DBLCLK:
        notify(id, Notification::DoubleClick);
        return true;
    case NM_RCLICK:
        notify(id, Notification::RightClick);
        return true;
    case LVN_GETDISPINFOW: {
        // The list asks for the text of a row it shows.
        auto& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item;
        const auto& rows = listRows(id);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0
            && item.iItem < static_cast<int>(rows.size()))
            lstrcpynW(item.pszText, rows[static_cast<std::size_t>(item.iItem)].c_str(), item.cchTextMax);
        return true;
    }
    case LVN_ODFINDITEMW: {
        // Type-ahead: the next row from the start that begins with the letters typed.
        const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(&header);
        const auto& rows = listRows(id);
        result = -1;
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || rows.empty())
            return true;
        const int count = static_cast<int>(rows.size());
        const int start = std::clamp(find.iStart, 0, count);
        const int steps = (find.lvfi.flags & LVFI_WRAP) ? count : count - start;
        for (int step = 0; step < steps; ++step) {
            const int row = (start + step) % count;
            if (startsWith(rows[static_cast<std::size_t>(row)], find.lvfi.psz)) {
                result = row;
                break;
            }
        }
        return true;
    }
    default:
        return false;
    }
}

void Win32Window::listDeleteAll(int id)
{
    ListModel& model = listModel(id);
    model.rows.clear();
    model.countLags = false;
    SendMessageW(control(id), LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(control(id), LVM_SETITEMCOUNT, 0, 0);
}

void Win32Window::listInsertRow(int id, int index, const std::string& text)
{
    ListModel& model = listModel(id);
    index = std::clamp(index, 0, static_cast<int>(model.rows.size()));
    if (index == static_cast<int>(model.rows.size())) {
        // A row added at the end moves no row's state: the list learns the new
        // count once, when the command that fills it is done.
        model.rows.push_back(toDisplay(text));
        if (!model.countLags) {
            model.countLags = true;
            PostMessageW(hwnd_, SyncListRows, 0, 0);
        }
        return;
    }
    changeRows(id, index, +1, [&](std::vector<std::wstring>& rows) { rows.insert(rows.begin() + index, toDisplay(text)); });
}

void Win32Window::listDeleteRow(int id, int index)
{
    if (index < 0 || index >= listRowCount(id))
        return;
    changeRows(id, index, -1, [&](std::vector<std::wstring>& rows) { rows.erase(rows.begin() + index); });
}

int Win32Window::listRowCount(int id) const { return static_cast<int>(listRows(id).size()); }

std::string Win32Window::listRowText(int id, int index) const
{
    const auto& rows = listRows(id);
    return index >= 0 && index < static_cast<int>(rows.size()) ? fromDisplay(rows[static_cast<std::size_t>(index)]) : std::string();
}

int Win32Window::listSelectionMark(int id) const { return static_cast<int>(SendMessageW(control(id), LVM_GETSELECTIONMARK, 0, 0)); }

void Win32Window::setListSelectionMark(int id, int index)
{
    syncListRows(id);
    const HWND list = control(id);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, index);
    // The keys move on from the focused row: it goes with the mark, unhighlighted.
    setState(list, -1, 0, LVIS_FOCUSED);
    if (index >= 0)
        setState(list, index, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, index);
}

void Win32Window::listEnsureVisible(int id, int index)
{
    syncListRows(id);
    SendMessageW(control(id), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void Win32Window::listSelectRow(int id, int index)
{
    syncListRows(id);
    const HWND list = control(id);
    const int mark = listSelectionMark(id);
    setState(list, index, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, mark); // highlighting a row leaves the mark where it was
}

void Win32Window::setListHotItem(int id, int index) { SendMessageW(control(id), LVM_SETHOTITEM, static_cast<WPARAM>(index), 0); }

PixelRect Win32Window::listRowScreenRect(int id, int index) const
{
    const HWND list = control(id);
    RECT r{}, client{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        return {};
    GetClientRect(list, &client);
    if (!IntersectRect(&r, &r, &client))
        return {};
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace scrivlet::ui
