#pragma once

#include "catalogue/FitCheck.h"
#include "ui/Window.h"

namespace scrivlet {

class MainDialog;

// The words of the listing the game's window cuts, then the text that scrolls
// away before a wait; choosing one (Go to, Enter or a double click) makes its
// row current and ends the window.
class FitCheckDialog : public ui::DialogHandler {
public:
    FitCheckDialog(MainDialog& owner, std::vector<FitFinding> found) : owner_(owner), found_(std::move(found)) {}
    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;

private:
    void goToChosen();

    MainDialog& owner_;
    std::vector<FitFinding> found_;
};

} // namespace scrivlet
