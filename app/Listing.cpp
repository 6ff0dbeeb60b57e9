#include "MainDialog.h"

#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "text/CompressionDictionary.h"

namespace scrivlet {

void MainDialog::refreshListing()
{
    if (!romOpen())
        return;
    loadDictionary(romFile);
    TextCatalogue& catalogue = textCatalogue();
    fillCatalogue(catalogue, romFile, static_cast<ListingSource>(listingSource));
    window_->listDeleteAll(ids::ListView);
    for (int i = 0; i < catalogue.count; ++i)
        window_->listInsertRow(ids::ListView, i, listLabel(romFile, catalogue.rows[static_cast<std::size_t>(i)]));
    window_->setListSelectionMark(ids::ListView, 0);
    window_->listEnsureVisible(ids::ListView, 0); // the list never stays on the old rows
    showEntry(0);
    updateCurrentSize();
    // The keyboard goes to the list, so the arrow keys work at once.
    window_->setFocus(ids::ListView);
}

void MainDialog::refreshListingKeepingRow()
{
    const TextCatalogue& catalogue = textCatalogue();
    const int shown = currentRow();
    const std::int32_t address = catalogue.isRow(shown) ? catalogue.rows[static_cast<std::size_t>(shown)].snesAddress : -1;
    refreshListing();
    if (address < 0)
        return;
    for (int row = 0; row < catalogue.count; ++row)
        if (catalogue.rows[static_cast<std::size_t>(row)].snesAddress == address) {
            if (row != 0) {
                window_->setListSelectionMark(ids::ListView, row);
                window_->listEnsureVisible(ids::ListView, row);
                window_->listSelectRow(ids::ListView, row);
                showEntry(row);
                updateCurrentSize();
            }
            return;
        }
}

void MainDialog::selectListingSource(int source)
{
    if (source != listingSource && !settleUnappliedText())
        return; // kept: no check mark moves
    switchListing(source);
}

void MainDialog::switchListing(int source)
{
    const int previous = listingSource;
    listingSource = source;
    window_->checkMenuItem(ids::OptionsPointerListing, source == 0);
    window_->checkMenuItem(ids::OptionsExpandedListing, source == 2);
    window_->checkMenuItem(ids::OptionsRawListing, source == 1);
    if (source != previous)
        refreshListing();
}

} // namespace scrivlet
