// The editor on Windows: the main window on the platform's own dialogs.
#include "MainDialog.h"

#include "resources/ResourceIds.h"
#include "ui/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Asked to serve as an embedded or automation object: there is nothing to
    // serve, so end at once. Nothing else on the command line is used.
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        bool serve = false;
        for (int i = 1; i < count; ++i) {
            const wchar_t* word = words[i];
            if (*word == L'-' || *word == L'/')
                ++word;
            serve = serve || lstrcmpiW(word, L"Embedding") == 0 || lstrcmpiW(word, L"Automation") == 0;
        }
        LocalFree(words);
        if (serve)
            return 0;
    }
    scrivlet::ui::Win32Platform platform;
    scrivlet::MainDialog dialog(platform);
    platform.runMain(scrivlet::ids::MainDialogTemplate, dialog);
    return 0;
}
