// The main window's commands about codes: the game's grouping, the code
// reference, going to where a code points and what points at a block.
#include "app/MainDialog.h"

#include "CodeReferenceDialog.h"
#include "ReferencesDialog.h"
#include "catalogue/TextReferences.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "text/TextNotes.h"

#include <cstdio>

namespace scrivlet {

namespace {

std::string withAddress(const char* sentence, std::uint32_t address)
{
    char text[256];
    std::snprintf(text, sizeof text, sentence, dollarAddress(address).c_str());
    return text;
}

} // namespace

void MainDialog::toggleGameGrouping()
{
    if (romOpen() && !settleUnappliedText())
        return;
    groupCodesAsGame = !groupCodesAsGame;
    currentCodeGrouping() = groupCodesAsGame ? CodeGrouping::Game : CodeGrouping::Classic;
    window_->checkMenuItem(ids::OptionsGameGrouping, groupCodesAsGame);
    refreshListingKeepingRow(); // block ends and sizes follow the grouping
}

void MainDialog::openCodeReference()
{
    if (!romOpen())
        return;
    CodeReferenceDialog reference(currentCodeGrouping());
    if (platform_.runModal(ids::CodeReferenceDialogTemplate, reference, *window_) != ui::IdOk || reference.chosen().empty())
        return;
    window_->setFocus(ids::EditBox);
    window_->editReplaceSelection(ids::EditBox, reference.chosen());
}

void MainDialog::goToTarget()
{
    if (!romOpen())
        return;
    const std::string text = window_->controlText(ids::EditBox);
    const auto target = targetAtPlace(text, static_cast<std::size_t>(window_->editCaret(ids::EditBox)), currentCodeGrouping());
    if (!target) {
        window_->messageBox(messages::NoTargetAtCaret, messages::GoToTargetCaption, ui::MessageIcon::Exclamation);
        return;
    }
    const int row = rowStartingAt(textCatalogue(), target->address);
    if (row < 0) {
        window_->messageBox(withAddress(messages::NoRowAtTarget, target->address), messages::GoToTargetCaption,
            ui::MessageIcon::Exclamation);
        return;
    }
    selectCatalogueRow(row);
}

void MainDialog::showReferences()
{
    const int row = currentRow();
    TextCatalogue& catalogue = textCatalogue();
    if (!romOpen() || !catalogue.isRow(row))
        return;
    const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
    TextReferences found = findReferences(romFile, catalogue, address, currentCodeGrouping());
    if (found.records.empty() && found.codes.empty()) {
        window_->messageBox(withAddress(messages::NoReferences, address), messages::ReferencesCaption, ui::MessageIcon::None);
        return;
    }
    ReferencesDialog references(*this, address, std::move(found));
    platform_.runModal(ids::ReferencesDialogTemplate, references, *window_);
}

std::string MainDialog::toolTipAt(int controlId, int index)
{
    if (controlId != ids::EditBox || !romOpen())
        return {};
    std::string tip;
    for (const std::string& line : codeNames(window_->controlText(ids::EditBox), static_cast<std::size_t>(index), currentCodeGrouping()))
        tip += (tip.empty() ? "" : "\n") + line;
    return tip;
}

} // namespace scrivlet
