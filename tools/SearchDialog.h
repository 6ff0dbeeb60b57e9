#pragma once

#include "ui/Window.h"

namespace scrivlet {

class MainDialog;
class RomFile;

// Finds the next row after the shown one whose text contains a string; stays open.
class SearchDialog : public ui::DialogHandler {
public:
    void setContext(MainDialog& owner, RomFile& rom);
    void onCommand(int id) override;
    void findNext();

private:
    MainDialog* ownerDialog_ = nullptr;
    RomFile* romStream_ = nullptr;
};

} // namespace scrivlet
