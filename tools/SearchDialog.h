#pragma once

#include "ui/Window.h"

#include <string>

namespace scrivlet {

class MainDialog;
class RomFile;

// Finds the next row after the shown one whose text contains a string; stays open.
class SearchDialog : public ui::DialogHandler {
public:
    void setContext(MainDialog& owner, RomFile& rom);
    void onInitDialog() override;
    void onCommand(int id) override;
    void findNext();
    // The next row after the owner's current one whose text contains `typed`; -1 for none.
    static int nextMatch(MainDialog& owner, RomFile& rom, const std::string& typed);

private:
    void keepRowInSight(int row);
    void standBesideTheList();

    MainDialog* ownerDialog_ = nullptr;
    RomFile* romStream_ = nullptr;
};

} // namespace scrivlet
