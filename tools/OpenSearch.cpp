#include "app/MainDialog.h"

#include "SearchDialog.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"

namespace scrivlet {

void MainDialog::openSearch()
{
    if (!romOpen())
        return;
    SearchDialog dialog;
    dialog.setContext(*this, romFile);
    platform_.runModal(ids::SearchDialogTemplate, dialog, *window_);
}

void MainDialog::findNextMatch()
{
    if (!romOpen())
        return;
    if (!searched) { // nothing to look for again: the search window asks what
        openSearch();
        return;
    }
    const int row = SearchDialog::nextMatch(*this, romFile, lastSearch);
    if (row < 0) {
        window_->messageBox(messages::StringNotFound, messages::StringNotFoundCaption, ui::MessageIcon::None);
        return;
    }
    selectCatalogueRow(row);
}

} // namespace scrivlet
