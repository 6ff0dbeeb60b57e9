#pragma once

#include "HeadlessWindow.h"

#include <deque>
#include <functional>
#include <memory>

namespace scrivlet::ui {

// Runs modal dialogs in memory. A test queues one driver per dialog it expects:
// the driver acts as the user while the dialog is up (types, presses buttons).
// A dialog still open when its driver returns is cancelled, as with Escape.
class HeadlessPlatform : public Platform {
public:
    using Driver = std::function<void(HeadlessWindow&)>;

    int runModal(int templateId, DialogHandler& handler, Window& owner) override;

    // The main window: built and initialised, driven by the test directly.
    std::unique_ptr<HeadlessWindow> openMain(int templateId, DialogHandler& handler);

    // Each platform its own store, so that no test sees another's.
    HeadlessPlatform() { useSettings(store); }
    MemorySettings store;

    std::deque<Driver> drivers;
    std::vector<int> modalTemplatesRun;
    // Messages of every modal dialog that has ended, in order.
    std::vector<MessageRecord> modalMessages;
};

} // namespace scrivlet::ui
