#pragma once

namespace scrivlet::ui {
class Win32Window;
}

namespace scrivlet::ui::win32 {

// The help file in a window of its own with a topic finder, modal over `owner`.
void showHelpViewer(Win32Window& owner);

} // namespace scrivlet::ui::win32
