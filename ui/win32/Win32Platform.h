#pragma once

#include "ui/Window.h"

namespace scrivlet::ui {

// Runs each dialog as a modal dialog of the platform over its owner.
class Win32Platform : public Platform {
public:
    Win32Platform(); // registers the common controls the templates use
    int runModal(int templateId, DialogHandler& handler, Window& owner) override;
    // The main window: no owner; ends when the handler ends it or it is closed.
    int runMain(int templateId, DialogHandler& handler);
};

} // namespace scrivlet::ui
