#pragma once

#include <string>
#include <vector>

namespace scrivlet::ui {

// Picture: pixels the program draws (Window::setControlPicture), centred in the control.
enum class ControlKind { StaticText, StaticBitmap, ListView, Edit, PushButton, GroupBox, TabControl, Other, Picture };

// Style bits the backends act on.
enum Style : unsigned {
    MultiLine = 1u << 0,
    VerticalScroll = 1u << 1,
    AutoVerticalScroll = 1u << 2,
    Border = 1u << 3,
    ReportView = 1u << 4,
    SingleSelection = 1u << 5,
    ShowSelectionAlways = 1u << 6,
    NoColumnHeader = 1u << 7,
    SunkenEdge = 1u << 8,
    DefaultButton = 1u << 9,
    ReadOnly = 1u << 10,
    DigitsOnly = 1u << 11,
    AutoHorizontalScroll = 1u << 12,
    CodeColours = 1u << 13, // an edit box whose bracket groups are shown in colour (where the backend can)
    FixedPitch = 1u << 14,  // text in a fixed-pitch face, so hex columns line up
    EndEllipsis = 1u << 15, // a text too long for its place (its lines, words wrapped) ends in "..." and shows whole as a tip
    Hidden = 1u << 16,      // not shown until the program shows it
};

// How a control follows a resizable dialog: of the extra width and height
// beyond the template's size, the share it moves right and down by, and the
// share it grows by.
struct Anchor {
    double moveX = 0, growX = 0, moveY = 0, growY = 0;
};

// A control of a dialog template; position and size in dialog units.
struct ControlTemplate {
    int id; // -1 for controls the program never addresses
    ControlKind kind;
    int left, top, width, height;
    std::string caption;
    unsigned style = 0;
    int bitmap = 0; // for static bitmaps: the bitmap resource number
    Anchor anchor{};
};

struct MenuItemTemplate {
    std::string caption; // empty for a separator
    int id = 0;
    bool checked = false;   // as the resource shows it
    bool checkable = false; // the item carries a check mark at times; others never show one
    std::string shortcut = ""; // shown beside the caption and pressed as a key, e.g. "Ctrl+O"
};

// A key that sends a command from anywhere in the dialog, e.g. "Ctrl+Return".
struct Accelerator {
    std::string keys;
    int command;
};

struct MenuTemplate {
    std::string caption;
    std::vector<MenuItemTemplate> items;
    bool rightAligned = false;
};

struct DialogTemplate {
    int id;
    std::string caption;
    int width, height; // dialog units
    std::vector<ControlTemplate> controls;
    int menu = 0; // menu resource number, 0 for none
    bool resizable = false; // the template's size is the starting and the smallest size
    std::vector<Accelerator> accelerators{};
};

// The templates of this program, by number; null for an unknown one.
const DialogTemplate* findDialogTemplate(int id);
const std::vector<MenuTemplate>* findMenuTemplate(int id);

} // namespace scrivlet::ui
