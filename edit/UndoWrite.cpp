// Every write this window makes to the open ROM can be taken back, the last
// first, down to the file as it was opened: the bytes each replaced are kept
// in memory, and put back whole or not at all, unless another program has
// changed the file since.
#include "app/MainDialog.h"

#include "Messages.h"
#include "TextApply.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"

#include <cstdio>

namespace scrivlet {

void MainDialog::rememberWrite(WriteKind kind, int row, const TextEntry& before)
{
    writes_.push_back({romFile.lastReplaced(), kind, row, before});
    updateUndoCommand();
}

void MainDialog::updateUndoCommand() { window_->enableMenuItem(ids::ToolsUndoWrite, romOpen() && !writes_.empty()); }

void MainDialog::undoLastWrite()
{
    if (!romOpen() || writes_.empty())
        return;
    const WriteRecord last = writes_.back();
    // Taking back an expansion lists the rows again only when the expanded listing is shown.
    const bool showsRows = (last.kind != WriteKind::Expansion && last.kind != WriteKind::Font) || listingSource == 2;
    if (showsRows && !settleUnappliedText())
        return;
    const WriteStatus status = romFile.restore(last.replaced);
    if (status != WriteStatus::Written) {
        const char* why = status == WriteStatus::ChangedOutside ? messages::UndoChangedOutside : writeStatusMessage(status);
        window_->messageBox(why, messages::UndoneCaption, ui::MessageIcon::Exclamation);
        return;
    }
    writes_.pop_back();
    updateUndoCommand();
    // Shown again as the write itself left the window.
    TextCatalogue& catalogue = textCatalogue();
    switch (last.kind) {
    case WriteKind::Text:
        if (catalogue.isRow(last.row))
            showRewrittenRow(last.row, snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(last.row)].snesAddress)));
        break;
    case WriteKind::Record:
    case WriteKind::Move:
        if (catalogue.isRow(last.row)) {
            const std::int32_t shownAddress = catalogue.rows[static_cast<std::size_t>(last.row)].snesAddress;
            catalogue.rows[static_cast<std::size_t>(last.row)] = last.before;
            if (shownAddress != last.before.snesAddress)
                showRewrittenRow(last.row, snesToFileOffset(static_cast<std::uint32_t>(last.before.snesAddress)));
        }
        break;
    case WriteKind::Import:
        refreshListingKeepingRow();
        break;
    case WriteKind::Font:
        fontsChanged();
        if (listingSource == 2)
            refreshListingKeepingRow(); // a moved font's room is text room again
        break;
    case WriteKind::Expansion:
        window_->enableMenuItem(ids::ToolsExpandRom, true);
        window_->enableMenuItem(ids::OptionsExpandedListing, false);
        if (listingSource == 2)
            switchListing(0);
        break;
    }
    window_->setControlText(ids::CaretNote, undoneNote(last));
}

std::string MainDialog::undoneNote(const WriteRecord& undone) const
{
    const TextCatalogue& catalogue = textCatalogue();
    const bool known = catalogue.isRow(undone.row);
    const std::string line = "line " + std::to_string(undone.row + 1);
    const std::string address = known ? " (" + dollarAddress(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(undone.row)].snesAddress)) + ")" : "";
    switch (undone.kind) {
    case WriteKind::Text: return messages::UndidWrite + line + address;
    case WriteKind::Record: return messages::UndidRecord + line + address;
    case WriteKind::Move: return messages::UndidMove + line + address;
    case WriteKind::Import: return messages::UndidImport;
    case WriteKind::Expansion: return messages::UndidExpansion;
    case WriteKind::Font: {
        char note[128];
        std::snprintf(note, sizeof note, messages::UndidFont, fontName(undone.font));
        return note;
    }
    }
    return {};
}

} // namespace scrivlet
