#include "app/MainDialog.h"

#include "catalogue/TextCatalogue.h"
#include "edit/Messages.h"
#include "edit/TextRelocation.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"

#include <cstdio>

namespace scrivlet {

void MainDialog::moveTextToExpandedArea()
{
    const int row = currentRow();
    TextCatalogue& catalogue = textCatalogue();
    if (!romOpen() || !catalogue.isRow(row) || !romIsWritable())
        return;
    TextEntry& entry = catalogue.rows[static_cast<std::size_t>(row)];
    const TextEntry before = entry;
    const RelocationResult result = relocateText(romFile, entry, window_->controlText(ids::EditBox), ApplyOptions{false, compressWhenWriting});
    if (result.outcome != RelocationOutcome::Moved) {
        window_->messageBox(relocationMessage(result), messages::RelocateRefusedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    // The row follows its record to the new address, as the record editor leaves it.
    entry.snesAddress = static_cast<std::int32_t>(result.newAddress);
    rememberWrite(WriteKind::Move, row, before);
    showRewrittenRow(row, snesToFileOffset(result.newAddress));
    char sentence[256];
    std::snprintf(sentence, sizeof sentence, messages::Relocated, dollarAddress(result.newAddress).c_str());
    window_->messageBox(sentence, messages::RelocatedCaption, ui::MessageIcon::None);
}

} // namespace scrivlet
