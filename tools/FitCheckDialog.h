#pragma once

#include "catalogue/FitCheck.h"
#include "ui/Window.h"

namespace scrivlet {

class MainDialog;

// The lines of the listing too wide for the game's window; choosing one (Go
// to, Enter or a double click) makes its row current and ends the window.
class FitCheckDialog : public ui::DialogHandler {
public:
    FitCheckDialog(MainDialog& owner, std::vector<FitOverflow> found, int limit)
        : owner_(owner), found_(std::move(found)), limit_(limit) {}
    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;

private:
    void goToChosen();

    MainDialog& owner_;
    std::vector<FitOverflow> found_;
    int limit_;
};

} // namespace scrivlet
