#pragma once

#include "ui/Window.h"

#include <string>

namespace scrivlet {

class RomFile;

// A read-only window about the current row and the open ROM, on three tabs.
class DetailsDialog : public ui::DialogHandler {
public:
    // Ids of the controls made at run time inside the tab control.
    enum Child { RomPicture = 0, RawDataEdit = 1, RomInfoText = 2, ToolboxPicture = 3, TextAttributes = 4,
        RulePicture = 5, ScreenPicture = 6, PointerAttributes = 7 };

    void setSubject(RomFile& rom, const std::string& fileName, int rowIndex, int blockSize);
    void onInitDialog() override;
    void onNotify(int controlId, ui::Notification notification) override;
    void onCommand(int id) override;
    void showDetailsPage(int page);

    // The page texts, as shown.
    std::string textAttributes() const;
    std::string pointerAttributes() const;
    std::string rawData() const;
    std::string romInfo() const;

private:
    bool built_ = false; // the tabs and their pages exist: a change of tab can be shown
    RomFile* romStream_ = nullptr;
    std::string fileName_;
    int rowIndex_ = 0;
    int blockSize_ = 0;
};

} // namespace scrivlet
