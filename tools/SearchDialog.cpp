#include "SearchDialog.h"

#include "app/MainDialog.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextSearch.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "ui/DataExchange.h"

namespace scrivlet {

void SearchDialog::setContext(MainDialog& owner, RomFile& rom)
{
    ownerDialog_ = &owner;
    romStream_ = &rom;
}

void SearchDialog::onCommand(int id)
{
    if (id == ids::SearchFindButton || id == ui::IdOk)
        findNext();
    else if (id == ui::IdCancel)
        window_->endDialog(ui::IdCancel);
}

void SearchDialog::findNext()
{
    romStream_->beginAction();
    const int mark = ownerDialog_->currentRow();
    const std::string needle = searchNeedle(window_->controlText(ids::SearchTextEdit));
    const int row = findMatchingRow(*romStream_, textCatalogue(), needle, mark + 1);
    if (row < 0) {
        window_->messageBox(messages::StringNotFound, messages::StringNotFoundCaption, ui::MessageIcon::None);
        return;
    }
    ownerDialog_->selectCatalogueRow(row);
}

} // namespace scrivlet
