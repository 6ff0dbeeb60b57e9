// The window's listing switch on the platform's own list view (under wine, or
// on Windows): the worst image's expanded listing of 8000 rows, shown from the
// pointer listing, the time until the window has drawn it. No Google Benchmark
// is packaged for mingw-w64, so the runs are timed here: the fastest and the
// median of twenty.
#include "BenchImages.h"
#include "app/MainDialog.h"
#include "resources/ResourceIds.h"
#include "ui/win32/Win32Platform.h"
#include "ui/win32/Win32Window.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

using namespace scrivlet;

namespace {

// Runs the window's messages until none is waiting (the posted row count and
// the drawing it brings included).
void drain()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (!ui::Win32Window::preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
}

double milliseconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

} // namespace

int main()
{
    ui::Win32Platform platform;
    MainDialog dialog(platform);
    ui::Win32Window window(*ui::findDialogTemplate(ids::MainDialogTemplate), dialog);
    dialog.attach(window);
    window.create(nullptr);
    drain();
    const std::string& path = bench::benchImagePath(bench::BenchImage::Worst);
    ui::Win32Window::setNextFileChoice({path, std::filesystem::path(path).filename().string()});
    dialog.onCommand(ids::FileOpen);
    drain();
    std::vector<double> runs;
    for (int run = 0; run < 20; ++run) {
        dialog.onCommand(ids::OptionsPointerListing);
        drain();
        const auto start = std::chrono::steady_clock::now();
        dialog.onCommand(ids::OptionsExpandedListing);
        drain();
        UpdateWindow(window.control(ids::ListView));
        runs.push_back(milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(runs.begin(), runs.end());
    std::printf("Win32SwitchToExpandedListing: %d rows, fastest %.1f ms, median %.1f ms\n", window.listRowCount(ids::ListView),
        runs.front(), runs[runs.size() / 2]);
    return 0;
}
