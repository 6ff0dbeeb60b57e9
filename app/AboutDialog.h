#pragma once

#include "ui/Window.h"

#include <functional>

namespace scrivlet {

// The About box: its picture taunts and moves the box when clicked.
class AboutDialog : public ui::DialogHandler {
public:
    // Draws pseudo-random numbers; seeded from the clock unless a test gives its own.
    using Random = std::function<int()>;
    explicit AboutDialog(Random random = {});

    void onNotify(int controlId, ui::Notification notification) override;
    void onCommand(int id) override;
    int clickCount() const { return clickCount_; }

private:
    Random random_;
    int clickCount_ = 0;
};

// Stands where a compression setting would be; its controls do nothing.
class GizmoDialog : public ui::DialogHandler {
public:
    void onCommand(int id) override;
};

} // namespace scrivlet
