#include "app/MainDialog.h"

#include "Messages.h"
#include "TextApply.h"
#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"

namespace scrivlet {

bool MainDialog::applyChanges()
{
    const int row = currentRow();
    if (!romOpen())
        return false;
    const TextCatalogue& catalogue = textCatalogue();
    if (!catalogue.isRow(row))
        return false; // no block to write to
    if (!romIsWritable())
        return false;
    const std::string text = window_->controlText(ids::EditBox);
    const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress));
    const ApplyResult result = applyText(romFile, offset, text, ApplyOptions{preventOverwrites != 0, compressWhenWriting});
    if (result.outcome != ApplyOutcome::Written) {
        window_->messageBox(applyMessage(result), messages::PreWriteErrorCaption, ui::MessageIcon::Exclamation);
        return false;
    }
    rememberWrite(WriteKind::Text, row);
    showRewrittenRow(row, offset);
    return true;
}

void MainDialog::showRewrittenRow(int row, std::int32_t fileOffset)
{
    // The row's label is decoded afresh, the row stays current (not highlighted)
    // and the entry view shows what the file now holds.
    const std::string label = listLabelAt(romFile, fileOffset);
    window_->listDeleteRow(ids::ListView, row);
    window_->listInsertRow(ids::ListView, row, label);
    window_->setListSelectionMark(ids::ListView, row);
    showEntry(row);
    updateCurrentSize();
}

void MainDialog::togglePreventOverwrites()
{
    preventOverwrites = preventOverwrites == 0 ? 1 : 0;
    showEntry(-1);
}

void MainDialog::toggleCompressWhenWriting()
{
    compressWhenWriting = !compressWhenWriting;
    window_->checkMenuItem(ids::OptionsCompressWhenWriting, compressWhenWriting);
    updateCurrentSize(); // the size line measures what Apply Changes would now write
}

} // namespace scrivlet
