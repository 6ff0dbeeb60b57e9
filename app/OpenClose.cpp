#include "MainDialog.h"

#include "edit/Messages.h"
#include "edit/TextApply.h"
#include "resources/ResourceIds.h"
#include "rom/RomExpansion.h"
#include "rom/RomIdentity.h"
#include "text/CharacterTable.h"

namespace scrivlet {

void MainDialog::openRom()
{
    const ui::FileChoice choice = window_->chooseFileToOpen(messages::RomFileFilter);
    if (choice.path.empty())
        return; // a cancelled dialog is passed over silently
    openRomAt(choice.path, choice.name);
}

bool MainDialog::romIsWritable()
{
    if (!romFile.isReadOnly())
        return true;
    window_->messageBox(messages::RomReadOnly, messages::RomReadOnlyCaption, ui::MessageIcon::Exclamation);
    return false;
}

bool MainDialog::openRomAt(const std::string& path, const std::string& name)
{
    RomFile candidate;
    bool opened = candidate.open(path);
    if (!opened && candidate.openError() == OpenError::NotWritable)
        opened = candidate.open(path, RomFile::Access::ReadOnly); // a file that may be read is opened for reading
    if (!opened) {
        // Every failure says why, and the open ROM stays.
        switch (candidate.openError()) {
        case OpenError::NotRegularFile:
            window_->messageBox(messages::NotRegularFile, messages::BadRomCaption, ui::MessageIcon::None);
            break;
        case OpenError::Locked: window_->messageBox(messages::OpenLocked, messages::RomNotOpenedCaption, ui::MessageIcon::Exclamation); break;
        case OpenError::Missing: window_->messageBox(messages::OpenMissing, messages::RomNotOpenedCaption, ui::MessageIcon::Exclamation); break;
        case OpenError::NotWritable:
            window_->messageBox(messages::OpenNotWritable, messages::RomNotOpenedCaption, ui::MessageIcon::Exclamation);
            break;
        default: window_->messageBox(messages::OpenFailed, messages::RomNotOpenedCaption, ui::MessageIcon::Exclamation); break;
        }
        return false;
    }
    const RomType type = identifyRom(candidate);
    if (type == RomType::Unknown) {
        window_->messageBox(messages::UnrecognizedRom, messages::BadRomCaption, ui::MessageIcon::None);
        return false;
    }
    if (type == RomType::Mother2) {
        window_->messageBox(messages::Mother2Rom, messages::Mother2Caption, ui::MessageIcon::None);
        return false;
    }
    if (!settleUnappliedText())
        return false; // the new file is closed again, the open one stays as it was
    romFileName = name;
    romPath = path;
    closeRom();
    romFile = std::move(candidate);
    window_->setCaption("Scrivlet 3.0 - File Loaded");
    window_->listDeleteAll(ids::ListView);
    window_->enableControl(ids::ListView, true);
    window_->enableControl(ids::EditBox, true);
    for (int id : {ids::ToolsViewDetails, ids::ToolsDumpText, ids::FileClose, ids::EditSearch, ids::OptionsPointerListing,
             ids::OptionsRawListing, ids::OptionsTextAndCodes, ids::OptionsCodesOnly, ids::OptionsPreventOverwrites,
             ids::OptionsUseCompression, ids::ToolsImportText, ids::ToolsCreatePatch, ids::OptionsCompressWhenWriting,
             ids::OptionsGameGrouping, ids::ToolsCodeReference, ids::ToolsGoToTarget, ids::ToolsReferences,
             ids::ToolsCheckFit, ids::OptionsCharacterTable, ids::ToolsFont})
        window_->enableMenuItem(id, true);
    readTableForRom();
    layoutSetup = readLayoutSetup(romFile, windowEntry);
    showLayoutWindowSize();
    if (romFileSize(romFile) < ExpandedRomSize)
        window_->enableMenuItem(ids::ToolsExpandRom, true);
    else
        window_->enableMenuItem(ids::OptionsExpandedListing, true);
    refreshListing();
    rememberRecentFile(path);
    std::string note = currentCharacterTable().empty() ? "" : tableInUseNote(currentCharacterTable());
    if (romFile.isReadOnly())
        note = messages::OpenedReadOnly + (note.empty() ? "" : " " + note);
    if (!note.empty())
        window_->setControlText(ids::CaretNote, note);
    return true;
}

void MainDialog::closeRom()
{
    romFile.close();
    window_->setCaption("Scrivlet 3.0 - No File Loaded");
    window_->listDeleteAll(ids::ListView);
    window_->enableControl(ids::ListView, false);
    window_->enableControl(ids::EditBox, false);
    for (int id : {ids::EditBox, ids::SizeLabel, ids::CurrentSizeLabel, ids::LineLabel})
        window_->setControlText(id, "");
    for (int id : {ids::ToolsViewDetails, ids::ToolsDumpText, ids::FileClose, ids::EditSearch, ids::ToolsExpandRom,
             ids::ToolsEditTptEntry, ids::OptionsPointerListing, ids::OptionsRawListing, ids::OptionsExpandedListing,
             ids::OptionsTextAndCodes, ids::OptionsCodesOnly, ids::OptionsPreventOverwrites, ids::OptionsUseCompression,
             ids::ToolsImportText, ids::ToolsMoveText, ids::ToolsCreatePatch, ids::OptionsCompressWhenWriting,
             ids::OptionsGameGrouping, ids::ToolsCodeReference, ids::ToolsGoToTarget, ids::ToolsReferences,
             ids::ToolsCheckFit, ids::OptionsCharacterTable, ids::ToolsFont})
        window_->enableMenuItem(id, false);
    window_->checkMenuItem(ids::OptionsPointerListing, true);
    window_->checkMenuItem(ids::OptionsRawListing, false);
    window_->checkMenuItem(ids::OptionsExpandedListing, false);
    listingSource = 0;
    setEditCommandsEnabled(false);
    // What can be taken back belongs to the file that was open.
    writes_.clear();
    window_->setControlText(ids::CaretNote, "");
    currentCharacterTable() = CharacterTable{};
    updateFitMarks(""); // no marks
    updatePreview("");  // an empty picture
    shownText_.clear();
    shownRow_ = -1;
    updateUndoCommand();
}

void MainDialog::expandRom()
{
    if (!romOpen() || !romIsWritable())
        return;
    const PadResult result = padRomFile(romFile, ExpandedRomSize);
    if (result.status != WriteStatus::Written) {
        window_->messageBox(writeStatusMessage(result.status), messages::ExpansionErrorCaption, ui::MessageIcon::Exclamation);
        return;
    }
    if (result.wroteFiller)
        rememberWrite(WriteKind::Expansion);
    window_->enableMenuItem(ids::ToolsExpandRom, false);
    window_->enableMenuItem(ids::OptionsExpandedListing, true);
    window_->messageBox(messages::RomExpanded, messages::RomExpandedCaption, ui::MessageIcon::None);
}

} // namespace scrivlet
