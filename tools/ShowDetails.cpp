#include "app/MainDialog.h"

#include "DetailsDialog.h"
#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

namespace scrivlet {

void MainDialog::showDetails()
{
    const int row = currentRow();
    const TextCatalogue& catalogue = textCatalogue();
    if (!romOpen() || !catalogue.isRow(row))
        return;
    const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
    const int size = decodeSize(romFile, snesToFileOffset(address));
    DetailsDialog dialog;
    dialog.setSubject(romFile, romFileName, row, size);
    platform_.runModal(ids::DetailsDialogTemplate, dialog, *window_);
}

} // namespace scrivlet
