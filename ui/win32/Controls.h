#pragma once

// What the files of the Win32 backend share: how a control is told apart, its
// text as the platform holds it, and the messages the window posts itself.

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>

namespace scrivlet::ui::win32 {

// The window's own property: which Win32Window a dialog is.
inline constexpr wchar_t WindowProperty[] = L"Scrivlet.Window";
// Posted by a list after it has acted on a key: the key is reported then.
inline constexpr UINT ReportListKey = WM_APP + 1;
// Posted when rows were added to a list: it learns its new row count once the
// command adding them is done.
inline constexpr UINT SyncListRows = WM_APP + 2;
// The main list's one column, in pixels.
inline constexpr int ListColumnWidth = 439;
// The program's icon in the resources.
inline constexpr int ProgramIcon = 1;

inline std::wstring windowText(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline bool hasClass(HWND hwnd, const wchar_t* name)
{
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    return lstrcmpiW(className, name) == 0;
}

inline bool isPushButton(HWND hwnd)
{
    const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return hasClass(hwnd, WC_BUTTONW) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

inline bool isStatic(HWND hwnd) { return hasClass(hwnd, WC_STATICW); }

// The edit box that shows code groups in colour is the platform's RichEdit.
inline constexpr wchar_t RichEditClass[] = L"RichEdit20W";
inline bool isRichEdit(HWND hwnd) { return hasClass(hwnd, RichEditClass); }

// The text of a RichEdit with CR LF line breaks, as an EDIT gives it.
inline std::wstring richText(HWND edit)
{
    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const auto count = static_cast<std::size_t>(SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    std::wstring text(count + 1, L'\0');
    GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
    text.resize(static_cast<std::size_t>(SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

inline bool isMultiLineEdit(HWND hwnd)
{
    return (hasClass(hwnd, WC_EDITW) || isRichEdit(hwnd)) && (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_MULTILINE);
}

} // namespace scrivlet::ui::win32
