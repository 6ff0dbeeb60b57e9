#pragma once

#include "ui/Window.h"

namespace scrivlet::ui {

// Runs each dialog as a real modal Qt dialog over its owner.
class QtPlatform : public Platform {
public:
    QtPlatform();
    int runModal(int templateId, DialogHandler& handler, Window& owner) override;
    // The main window: no owner; ends when the handler ends it or it is closed.
    int runMain(int templateId, DialogHandler& handler);
};

} // namespace scrivlet::ui
