#include "app/MainDialog.h"

#include "SearchDialog.h"
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

} // namespace scrivlet
