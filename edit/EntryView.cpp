#include "app/MainDialog.h"

#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"
#include "text/TextCompressor.h"
#include "text/TextNotes.h"

namespace scrivlet {

void MainDialog::showEntry(int row)
{
    if (row != -1) {
        const TextCatalogue& catalogue = textCatalogue();
        if (!catalogue.isRow(row) || !romOpen()) {
            // No row of the catalogue: an empty view, and no tool to offer.
            for (int id : {ids::EditBox, ids::LineLabel, ids::SizeLabel})
                window_->setControlText(id, "");
            shownText_.clear();
            shownRow_ = -1;
            window_->enableMenuItem(ids::ToolsEditTptEntry, false);
            window_->enableMenuItem(ids::ToolsMoveText, false);
        } else {
            const TextEntry& entry = catalogue.rows[static_cast<std::size_t>(row)];
            const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(entry.snesAddress));
            DecodedText decoded = decodeText(romFile, offset, true);
            if (showTextAndCodes == 0)
                decoded.text = renderCodesOnly(romFile, offset, decoded.size);
            window_->setControlText(ids::EditBox, decoded.text);
            shownText_ = std::move(decoded.text);
            shownRow_ = row;
            window_->setControlText(ids::LineLabel, "Line: " + std::to_string(row + 1) + "/" + std::to_string(catalogue.count));
            window_->setControlText(ids::SizeLabel, "Size: " + std::to_string(decoded.size));
            const bool editable = listingSource == 0 && entry.spriteNumber != 0 && entry.movementNumber != 0;
            window_->enableMenuItem(ids::ToolsEditTptEntry, editable);
            // Moving text needs a record to point at it: offered for every row that has one.
            window_->enableMenuItem(ids::ToolsMoveText, listingSource == 0 && entry.tptRecordOffset != 0);
        }
    }
    window_->checkMenuItem(ids::OptionsPreventOverwrites, preventOverwrites != 0);
}

void MainDialog::updateCurrentSize()
{
    const std::string text = window_->controlText(ids::EditBox);
    const int n = sizeForWriting(text, compressWhenWriting);
    window_->setControlText(ids::CurrentSizeLabel, n == -1 ? std::string("Current Size: Unknown")
            : "Current Size: " + std::to_string(n) + (compressWhenWriting ? " (compressed)" : " (uncompressed)"));
    updateFitMarks(text);
    updateCaretNote(text);
}

void MainDialog::updateCaretNote(const std::string& text)
{
    const std::string note =
        romOpen() ? caretNote(text, static_cast<std::size_t>(window_->editCaret(ids::EditBox)), currentCodeGrouping()) : "";
    if (note != window_->controlText(ids::CaretNote))
        window_->setControlText(ids::CaretNote, note);
    updatePreview(text); // the caret may have moved to another page
}

void MainDialog::selectDisplayMode(int target)
{
    if (showTextAndCodes == target || !settleUnappliedText())
        return;
    window_->checkMenuItem(ids::OptionsTextAndCodes, target == 1);
    window_->checkMenuItem(ids::OptionsCodesOnly, target == 0);
    showTextAndCodes = target;
    if (romOpen()) {
        showEntry(currentRow());
        updateCurrentSize();
    }
}

bool MainDialog::selectCatalogueRow(int row, ui::Window* asker)
{
    if (!settleUnappliedText(asker))
        return false;
    window_->setListSelectionMark(ids::ListView, row);
    window_->listEnsureVisible(ids::ListView, row);
    window_->listSelectRow(ids::ListView, row);
    showEntry(row);
    updateCurrentSize();
    return true;
}

} // namespace scrivlet
