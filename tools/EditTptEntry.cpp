#include "app/MainDialog.h"

#include "TptEntryDialog.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "edit/Messages.h"
#include "edit/TextApply.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"

namespace scrivlet {

void MainDialog::editTptEntry()
{
    const int row = currentRow();
    TextCatalogue& catalogue = textCatalogue();
    // Only a row of the pointer listing has a record to edit.
    if (!romOpen() || !catalogue.isRow(row) || catalogue.rows[static_cast<std::size_t>(row)].tptRecordOffset == 0)
        return;
    if (!romIsWritable())
        return; // said before the editor opens, not after the fields are filled
    TextEntry& entry = catalogue.rows[static_cast<std::size_t>(row)];
    const std::int32_t oldAddress = entry.snesAddress;

    TptEntryDialog dialog;
    dialog.setEntry(static_cast<std::uint32_t>(entry.snesAddress), entry.spriteNumber, entry.movementNumber);
    platform_.runModal(ids::TptEntryDialogTemplate, dialog, *window_);
    if (!dialog.wasApplied())
        return;

    // A new address shows the new block in place of text typed for the old
    // one: that text is settled first.
    const bool moves = static_cast<std::int32_t>(dialog.parsedAddress()) != oldAddress;
    if (moves && !settleUnappliedText())
        return;
    // The row takes the new values only once the record holds them, so that
    // the next Apply writes where the record points.
    const TextEntry before = entry;
    const WriteStatus status = writeTptRecord(romFile, entry.tptRecordOffset, dialog.parsedAddress(),
        dialog.spriteValue(), dialog.movementValue());
    if (status != WriteStatus::Written) {
        window_->messageBox(std::string(messages::TptRecordNotWritten) + "  " + writeStatusMessage(status),
            messages::PreWriteErrorCaption, ui::MessageIcon::Exclamation);
        return;
    }
    entry.snesAddress = static_cast<std::int32_t>(dialog.parsedAddress());
    entry.spriteNumber = dialog.spriteValue();
    entry.movementNumber = dialog.movementValue();
    rememberWrite(WriteKind::Record, row, before);
    if (!moves)
        return;
    showRewrittenRow(row, snesToFileOffset(static_cast<std::uint32_t>(entry.snesAddress)));
}

} // namespace scrivlet
