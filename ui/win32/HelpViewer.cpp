#include "HelpViewer.h"

#include "Text.h"
#include "Win32Window.h"
#include "ui/HelpTopicsDialog.h"

#include <windows.h>

#include <string>

namespace scrivlet::ui::win32 {

namespace {

// The help file is built into the program as a resource of its own.
std::string helpText()
{
    const HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, L"HELPTOPICS", MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return "## Help\nThe help text is missing from this build.";
    const std::string utf8(static_cast<const char*>(bytes), SizeofResource(self, found));
    return utf8;
}

} // namespace

void showHelpViewer(Win32Window& owner)
{
    HelpTopicsDialog topics(splitHelpTopics(helpText()));
    Win32Window window(HelpTopicsDialog::dialogTemplate(), topics);
    topics.attach(window);
    window.runModal(owner.handle());
}

} // namespace scrivlet::ui::win32

namespace scrivlet::ui {

void Win32Window::showHelpTopics() { win32::showHelpViewer(*this); }

} // namespace scrivlet::ui
