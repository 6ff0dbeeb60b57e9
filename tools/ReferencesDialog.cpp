#include "ReferencesDialog.h"

#include "app/MainDialog.h"
#include "catalogue/TptRecord.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"

#include <cstdio>

namespace scrivlet {

void ReferencesDialog::onInitDialog()
{
    ui::Window& w = window();
    char title[96];
    std::snprintf(title, sizeof title, messages::ReferencesTitle, dollarAddress(address_).c_str());
    w.setCaption(title);
    int line = 0;
    for (int record : found_.records)
        w.listInsertRow(ids::ReferenceList, line++, "Record " + std::to_string(record) + " of the pointer table");
    for (const CodeReference& code : found_.codes)
        w.listInsertRow(ids::ReferenceList, line++,
            "Row " + std::to_string(code.row + 1) + " (" + dollarAddress(code.blockAddress) + "), byte " + std::to_string(code.offset)
                + ": " + code.name);
    w.setListSelectionMark(ids::ReferenceList, 0);
    w.listSelectRow(ids::ReferenceList, 0);
    w.setFocus(ids::ReferenceList);
}

int ReferencesDialog::rowOf(int line) const
{
    const int records = static_cast<int>(found_.records.size());
    if (line >= records)
        return line - records < static_cast<int>(found_.codes.size()) ? found_.codes[static_cast<std::size_t>(line - records)].row : -1;
    if (line < 0)
        return -1;
    // A record is a row of the pointer table listing, the one read from it.
    const std::int32_t recordOffset = TptFirstRecord + found_.records[static_cast<std::size_t>(line)] * TptRecordSize;
    const TextCatalogue& catalogue = textCatalogue();
    if (owner_.listingSource == static_cast<int>(ListingSource::PointerTable))
        for (int row = 0; row < catalogue.count; ++row)
            if (catalogue.rows[static_cast<std::size_t>(row)].tptRecordOffset == recordOffset)
                return row;
    return -1;
}

void ReferencesDialog::goToChosen()
{
    const int line = window().listSelectionMark(ids::ReferenceList);
    if (line < 0)
        return;
    const int row = rowOf(line);
    if (row < 0) {
        char sentence[160];
        std::snprintf(sentence, sizeof sentence, messages::RecordWithoutRow, found_.records[static_cast<std::size_t>(line)]);
        window().messageBox(sentence, messages::ReferencesCaption, ui::MessageIcon::None);
        return;
    }
    if (owner_.selectCatalogueRow(row, &window()))
        window().endDialog(ui::IdOk);
}

void ReferencesDialog::onCommand(int id)
{
    if (id == ids::ReferenceGoButton)
        goToChosen();
    else if (id == ui::IdCancel)
        window().endDialog(ui::IdCancel);
}

void ReferencesDialog::onNotify(int controlId, ui::Notification notification)
{
    if (controlId == ids::ReferenceList && notification == ui::Notification::DoubleClick)
        goToChosen();
}

} // namespace scrivlet
