#include "DialogTemplateBuilder.h"

#include "Controls.h"
#include "Text.h"

#include <commctrl.h>

namespace scrivlet::ui::win32 {

namespace {

class TemplateWriter {
public:
    void word(WORD w) { words_.push_back(w); }
    void dword(DWORD d)
    {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const std::wstring& s)
    {
        for (wchar_t c : s)
            word(static_cast<WORD>(c));
        word(0);
    }
    void alignToDword()
    {
        if (words_.size() % 2)
            word(0);
    }
    std::vector<WORD> take() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

bool isMultiLineEdit(const ControlTemplate& c) { return c.kind == ControlKind::Edit && (c.style & MultiLine); }

} // namespace

const wchar_t* controlClass(const ControlTemplate& c)
{
    switch (c.kind) {
    case ControlKind::StaticText:
    case ControlKind::StaticBitmap:
    case ControlKind::Picture: return WC_STATICW;
    case ControlKind::ListView: return WC_LISTVIEWW;
    case ControlKind::Edit: return (c.style & CodeColours) ? RichEditClass : WC_EDITW;
    case ControlKind::PushButton:
    case ControlKind::GroupBox: return WC_BUTTONW;
    case ControlKind::TabControl: return WC_TABCONTROLW;
    case ControlKind::Other:
        if (c.caption == "trackbar")
            return TRACKBAR_CLASSW;
        if (c.caption == "updown")
            return UPDOWN_CLASSW;
        if (c.caption == "ipaddress")
            return WC_IPADDRESSW;
        if (c.caption == "datetime")
            return DATETIMEPICK_CLASSW;
        return WC_BUTTONW; // a check box
    }
    return WC_STATICW;
}

DWORD controlStyle(ControlKind kind, const ControlTemplate& c)
{
    const unsigned s = c.style;
    DWORD style = WS_CHILD | (s & Hidden ? 0 : WS_VISIBLE);
    switch (kind) {
    case ControlKind::StaticText:
        // Texts the program sets are shown as they are: no '&' underlines.
        style |= SS_LEFT | (c.id >= 0 ? SS_NOPREFIX : 0);
        if (c.height <= 12)
            style |= SS_LEFTNOWORDWRAP; // one-line labels never wrap out of sight
        if (s & EndEllipsis)
            style |= SS_ENDELLIPSIS | (c.height > 12 ? SS_EDITCONTROL : 0); // wrapped words, "..." on the last line
        break;
    case ControlKind::StaticBitmap:
        style |= SS_BITMAP | (s & SunkenEdge ? SS_SUNKEN : 0) | (c.id >= 0 ? SS_NOTIFY : 0)
            | (c.anchor.growX > 0 ? SS_REALSIZECONTROL : 0); // a rule across the window stretches with it
        break;
    case ControlKind::Picture: // drawn by the window: the program's pixels, centred, scaled down to fit
        style |= SS_OWNERDRAW | SS_SUNKEN;
        break;
    case ControlKind::ListView:
        style |= WS_TABSTOP | (s & ReportView ? LVS_REPORT : 0) | LVS_OWNERDATA | (s & SingleSelection ? LVS_SINGLESEL : 0)
            | (s & ShowSelectionAlways ? LVS_SHOWSELALWAYS : 0) | (s & NoColumnHeader ? LVS_NOCOLUMNHEADER : 0);
        break;
    case ControlKind::Edit:
        style |= WS_TABSTOP | (s & Border ? WS_BORDER : 0) | (s & ReadOnly ? ES_READONLY : 0) | (s & DigitsOnly ? ES_NUMBER : 0)
            | (s & VerticalScroll ? WS_VSCROLL : 0) | (s & AutoVerticalScroll ? ES_AUTOVSCROLL : 0);
        if (isMultiLineEdit(c))
            style |= ES_MULTILINE | (s & ReadOnly ? 0 : ES_WANTRETURN); // Enter in a text only to read is the dialog's
        else
            style |= ES_AUTOHSCROLL;
        break;
    case ControlKind::PushButton:
        style |= WS_TABSTOP | (s & DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::GroupBox:
        style |= BS_GROUPBOX;
        break;
    case ControlKind::TabControl:
        style |= WS_TABSTOP | WS_CLIPSIBLINGS;
        break;
    case ControlKind::Other:
        if (c.caption == "trackbar")
            style |= WS_TABSTOP | TBS_HORZ | TBS_NOTICKS;
        else if (c.caption == "updown")
            style |= UDS_ARROWKEYS;
        else if (c.caption == "ipaddress")
            style |= WS_TABSTOP;
        else if (c.caption == "datetime")
            style |= WS_TABSTOP | DTS_SHORTDATEFORMAT; // a date picker shows the short date
        else
            style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    }
    return style;
}

DWORD controlExtendedStyle(const ControlTemplate& c)
{
    const bool sunken = (c.kind == ControlKind::ListView && (c.style & SunkenEdge)) || (c.kind == ControlKind::Edit && (c.style & Border));
    return sunken ? WS_EX_CLIENTEDGE : 0;
}

std::vector<WORD> buildDialogTemplate(const DialogTemplate& t)
{
    TemplateWriter w;
    DWORD style = DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    if (t.menu)
        style |= WS_MINIMIZEBOX; // the main window can be minimized
    if (t.resizable)
        style |= WS_THICKFRAME | (t.menu ? WS_MAXIMIZEBOX : 0); // a tool window grows, but only the main window maximizes
    w.dword(style);
    w.dword(0); // extended style
    w.word(static_cast<WORD>(t.controls.size()));
    w.word(0); // position: the platform centres it
    w.word(0);
    w.word(static_cast<WORD>(t.width));
    w.word(static_cast<WORD>(t.height));
    w.word(0); // no menu resource: the menu is built from our own template
    w.word(0); // the dialog class
    w.text(fromUtf8(t.caption));
    w.word(DialogFacePoints);
    w.text(DialogFace);
    for (const ControlTemplate& c : t.controls) {
        w.alignToDword();
        w.dword(controlStyle(c.kind, c));
        w.dword(controlExtendedStyle(c));
        w.word(static_cast<WORD>(c.left));
        w.word(static_cast<WORD>(c.top));
        w.word(static_cast<WORD>(c.width));
        w.word(static_cast<WORD>(c.height));
        w.word(static_cast<WORD>(c.id)); // -1 is the platform's "no id", 0xFFFF
        w.text(controlClass(c));
        if (c.kind == ControlKind::StaticBitmap) {
            w.word(0xFFFF); // the picture by its resource number
            w.word(static_cast<WORD>(c.bitmap));
        } else if (c.kind == ControlKind::Other && (c.caption == "trackbar" || c.caption == "updown" || c.caption == "ipaddress"
                                                       || c.caption == "datetime")) {
            w.text(L""); // the caption names the kind of gizmo, and is no text of it
        } else {
            w.text(fromUtf8(c.caption));
        }
        w.word(0); // no creation data
    }
    return w.take();
}

} // namespace scrivlet::ui::win32
