#include "SearchDialog.h"

#include "app/MainDialog.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextSearch.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "ui/DataExchange.h"

#include <algorithm>

namespace scrivlet {

void SearchDialog::setContext(MainDialog& owner, RomFile& rom)
{
    ownerDialog_ = &owner;
    romStream_ = &rom;
}

void SearchDialog::onInitDialog() { standBesideTheList(); }

void SearchDialog::standBesideTheList()
{
    // Beside the main window, level with its list, where the screen has room:
    // neither the list's rows nor the edit box is hidden then.
    const ui::PixelRect owner = ownerDialog_->window().screenRect();
    const ui::PixelRect self = window_->screenRect();
    const ui::PixelRect screen = window_->workArea();
    const int width = self.right - self.left, height = self.bottom - self.top;
    constexpr int Gap = 4;
    const int top = std::clamp(owner.top, screen.top, std::max(screen.top, screen.bottom - height));
    if (owner.right + Gap + width <= screen.right)
        window_->moveTo(owner.right + Gap, top);
    else if (owner.left - Gap - width >= screen.left)
        window_->moveTo(owner.left - Gap - width, top);
    // Else where the platform put it; a find moves it off the row it finds.
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
    const std::string typed = window_->controlText(ids::SearchTextEdit);
    ownerDialog_->lastSearch = typed; // F3 in the main window looks for it again
    ownerDialog_->searched = true;
    const int row = nextMatch(*ownerDialog_, *romStream_, typed);
    if (row < 0) {
        window_->messageBox(messages::StringNotFound, messages::StringNotFoundCaption, ui::MessageIcon::None);
        return;
    }
    if (ownerDialog_->selectCatalogueRow(row, window_))
        keepRowInSight(row);
}

int SearchDialog::nextMatch(MainDialog& owner, RomFile& rom, const std::string& typed)
{
    rom.beginAction();
    return findMatchingRow(rom, textCatalogue(), searchNeedle(typed), owner.currentRow() + 1);
}

void SearchDialog::keepRowInSight(int row)
{
    // The window moves off the row it found, below it or else above it.
    const ui::PixelRect found = ownerDialog_->window().listRowScreenRect(ids::ListView, row);
    const ui::PixelRect self = window_->screenRect();
    const ui::PixelRect screen = window_->workArea();
    const bool covers = found.bottom > self.top && found.top < self.bottom && found.right > self.left && found.left < self.right;
    if (!covers || found.bottom <= found.top)
        return;
    const int height = self.bottom - self.top;
    const int top = found.bottom + height <= screen.bottom ? found.bottom : std::max(screen.top, found.top - height);
    window_->moveTo(self.left, top);
}

} // namespace scrivlet
