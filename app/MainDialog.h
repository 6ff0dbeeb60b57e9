#pragma once

#include "rom/RomFile.h"
#include "ui/Window.h"

#include <string>

namespace scrivlet {

// The main window: the open ROM, the option flags, and the handlers of every
// command and notification of template 102 and menu 129.
class MainDialog : public ui::DialogHandler {
public:
    explicit MainDialog(ui::Platform& platform) : platform_(platform) {}

    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;
    bool onCloseRequest() override { return true; }

    // File
    void openRom();
    void closeRom();
    void exitProgram();
    // Listing
    void refreshListing();
    void selectListingSource(int source);
    // Entry view
    void showEntry(int row);
    void updateCurrentSize();
    void selectDisplayMode(int showTextAndCodes);
    int currentRow() const;
    void selectCatalogueRow(int row);
    // Editing
    void applyChanges();
    void togglePreventOverwrites();
    void toggleCompressWhenWriting();
    void expandRom();
    void dumpText();
    // Tools
    void editTptEntry();
    void openSearch();
    void showDetails();
    void importTextFile();
    void moveTextToExpandedArea();
    void createPatch();

    // State record
    int preventOverwrites = 0;
    int showTextAndCodes = 0;
    std::string romFileName;
    std::string romPath;
    int listingSource = 0;
    RomFile romFile; // closed when no file is loaded
    // Options of our own beyond the classic set, each off at start.
    bool compressWhenWriting = false;

    bool romOpen() const { return romFile.isOpen(); }

private:
    void setEditCommandsEnabled(bool enabled);
    void showRewrittenRow(int row, std::int32_t fileOffset);

    ui::Platform& platform_;
};

} // namespace scrivlet
