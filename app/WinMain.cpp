// The editor on Windows: the main window on the platform's own dialogs.
#include "CommandLine.h"
#include "MainDialog.h"
#include "ui/win32/IniSettings.h"
#include "ui/win32/Text.h"

#include "resources/ResourceIds.h"
#include "ui/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Asked to serve as an embedded or automation object: there is nothing to
    // serve, so end at once. A file named on the command line (or dropped on
    // the program, or opened with it) is opened.
    int count = 0;
    std::vector<std::string> utf8;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        bool serve = false;
        for (int i = 0; i < count; ++i) {
            const wchar_t* word = words[i];
            utf8.push_back(scrivlet::ui::win32::toUtf8(word));
            if (*word == L'-' || *word == L'/')
                ++word;
            serve = serve || (i > 0 && (lstrcmpiW(word, L"Embedding") == 0 || lstrcmpiW(word, L"Automation") == 0));
        }
        LocalFree(words);
        if (serve)
            return 0;
    }
    scrivlet::ui::Win32Platform platform;
    scrivlet::ui::win32::IniSettings remembered; // recent files, between runs
    platform.useSettings(remembered);
    scrivlet::MainDialog dialog(platform);
    dialog.startupFiles = scrivlet::filesFromCommandLine(utf8, true);
    platform.runMain(scrivlet::ids::MainDialogTemplate, dialog);
    return 0;
}
