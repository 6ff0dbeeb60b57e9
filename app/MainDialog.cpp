#include "MainDialog.h"

#include "CommandLine.h"
#include "edit/Messages.h"

#include "AboutDialog.h"
#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "text/ControlCodes.h"

namespace scrivlet {

void MainDialog::onInitDialog()
{
    window_->listDeleteAll(ids::ListView);
    window_->setEditLimit(ids::EditBox, 4000);
    preventOverwrites = 1;
    listingSource = 0;
    showTextAndCodes = 1;
    window_->checkMenuItem(ids::OptionsPointerListing, true);
    window_->checkMenuItem(ids::OptionsRawListing, false);
    window_->checkMenuItem(ids::OptionsUseCompression, false);
    window_->checkMenuItem(ids::OptionsTextAndCodes, true);
    window_->checkMenuItem(ids::OptionsCodesOnly, false);
    window_->checkMenuItem(ids::OptionsCompressWhenWriting, false);
    window_->checkMenuItem(ids::OptionsGameGrouping, false);
    window_->checkMenuItem(ids::OptionsShowPreview, false);
    currentCodeGrouping() = CodeGrouping::Classic;
    window_->setEditLimit(ids::PreviewWindowEntry, 3);
    window_->setControlText(ids::PreviewWindowEntry, std::to_string(windowEntry));
    closeRom();
    loadRecentFiles();
    restorePlacement();
    openStartupFiles();
}

void MainDialog::openStartupFiles() { onFilesDropped(startupFiles); }

void MainDialog::onFilesDropped(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    openRomAt(paths.front(), fileNameOf(paths.front()));
    if (paths.size() > 1)
        window_->setControlText(ids::CaretNote, messages::MoreFilesIgnored);
}

void MainDialog::onCommand(int id)
{
    // Each command is one action: what another program changed in the file
    // since the last one is seen from here on.
    if (romOpen())
        romFile.beginAction();
    switch (id) {
    case ids::FileOpen: openRom(); break;
    case ids::FileClose:
        if (settleUnappliedText())
            closeRom();
        break;
    case ids::FileExit: exitProgram(); break;
    case ids::FileRecent1:
    case ids::FileRecent1 + 1:
    case ids::FileRecent1 + 2:
    case ids::FileRecent1 + 3: openRecentFile(id - ids::FileRecent1); break;
    case ids::EditUndo: window_->editUndo(ids::EditBox); break;
    case ids::EditCut: window_->editCut(ids::EditBox); break;
    case ids::EditCopy: window_->editCopy(ids::EditBox); break;
    case ids::EditPaste: window_->editPaste(ids::EditBox); break;
    case ids::ToolsExpandRom: expandRom(); break;
    case ids::ToolsDumpText: dumpText(); break;
    case ids::ToolsEditTptEntry: editTptEntry(); break;
    case ids::EditSearch: openSearch(); break;
    case ids::ToolsViewDetails: showDetails(); break;
    case ids::ToolsImportText: importTextFile(); break;
    case ids::ToolsMoveText: moveTextToExpandedArea(); break;
    case ids::ToolsCreatePatch: createPatch(); break;
    case ids::ToolsUndoWrite: undoLastWrite(); break;
    case ids::FindNextCommand: findNextMatch(); break;
    case ids::ToolsCodeReference: openCodeReference(); break;
    case ids::ToolsGoToTarget: goToTarget(); break;
    case ids::ToolsReferences: showReferences(); break;
    case ids::OptionsGameGrouping: toggleGameGrouping(); break;
    case ids::OptionsShowPreview: toggleShowPreview(); break;
    case ids::ToolsCheckFit: checkTextFit(); break;
    case ids::OptionsPointerListing: selectListingSource(0); break;
    case ids::OptionsRawListing: selectListingSource(1); break;
    case ids::OptionsExpandedListing: selectListingSource(2); break;
    case ids::OptionsTextAndCodes: selectDisplayMode(1); break;
    case ids::OptionsCodesOnly: selectDisplayMode(0); break;
    case ids::OptionsPreventOverwrites: togglePreventOverwrites(); break;
    case ids::OptionsCompressWhenWriting: toggleCompressWhenWriting(); break;
    case ids::OptionsCharacterTable: chooseCharacterTable(); break;
    case ids::ToolsFont: openFontEditor(); break;
    case ids::HelpHelp: window_->showHelpTopics(); break;
    case ids::HelpAbout: {
        AboutDialog about;
        platform_.runModal(ids::AboutDialogTemplate, about, *window_);
        break;
    }
    case ids::OptionsUseCompression: {
        GizmoDialog gizmo;
        platform_.runModal(ids::GizmoDialogTemplate, gizmo, *window_);
        break;
    }
    case ids::ApplyButton: applyChanges(); break;
    default: break; // the tool windows arrive with their own commands
    }
}

void MainDialog::onNotify(int controlId, ui::Notification notification)
{
    using ui::Notification;
    if (romOpen())
        romFile.beginAction();
    if (controlId == ids::ListView) {
        switch (notification) {
        case Notification::Click:
        case Notification::KeyDown:
            // The list has already moved the mark for a click or a key, so the
            // row shown is the row that Apply Changes writes.
            reachRow(currentRow());
            break;
        case Notification::RightClick:
            if (!reachRow(currentRow()) || !textCatalogue().isRow(currentRow()))
                break;
            if (listingSource == 0)
                editTptEntry();
            else
                showDetails();
            break;
        case Notification::DoubleClick:
            window_->setListHotItem(ids::ListView, currentRow());
            break;
        default: break;
        }
    } else if (controlId == ids::EditBox) {
        if (notification == Notification::TextChanged)
            updateCurrentSize();
        else if (notification == Notification::CaretMoved)
            updateCaretNote(window_->controlText(ids::EditBox));
        else if (notification == Notification::GotFocus)
            setEditCommandsEnabled(true);
        else if (notification == Notification::LostFocus)
            setEditCommandsEnabled(false);
    } else if (controlId == ids::PreviewWindowEntry && notification == Notification::TextChanged) {
        choosePreviewWindow();
    }
}

void MainDialog::setEditCommandsEnabled(bool enabled)
{
    for (int id : {ids::EditUndo, ids::EditCut, ids::EditCopy, ids::EditPaste})
        window_->enableMenuItem(id, enabled);
}

bool MainDialog::onCloseRequest()
{
    if (!settleUnappliedText())
        return false;
    rememberPlacement();
    return true;
}

void MainDialog::exitProgram()
{
    if (!settleUnappliedText())
        return;
    rememberPlacement();
    closeRom();
    window_->endDialog(0);
}

int MainDialog::currentRow() const { return window_->listSelectionMark(ids::ListView); }

} // namespace scrivlet
