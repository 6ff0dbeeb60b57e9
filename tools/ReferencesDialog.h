#pragma once

#include "catalogue/TextReferences.h"
#include "ui/Window.h"

namespace scrivlet {

class MainDialog;

// The records and codes that point at a block; choosing one (Go to, Enter or
// a double click) makes its row current in the main window and ends the window.
class ReferencesDialog : public ui::DialogHandler {
public:
    ReferencesDialog(MainDialog& owner, std::uint32_t address, TextReferences found)
        : owner_(owner), address_(address), found_(std::move(found)) {}
    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;

    // The row of the main window's listing that a line of the list stands for; -1 for none.
    int rowOf(int line) const;

private:
    void goToChosen();

    MainDialog& owner_;
    std::uint32_t address_;
    TextReferences found_;
};

} // namespace scrivlet
