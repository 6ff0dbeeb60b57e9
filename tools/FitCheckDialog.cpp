#include "FitCheckDialog.h"

#include "app/MainDialog.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"

#include <cstdio>

namespace scrivlet {

void FitCheckDialog::onInitDialog()
{
    ui::Window& w = window();
    for (std::size_t i = 0; i < found_.size(); ++i) {
        const FitFinding& f = found_[i];
        char line[256];
        std::snprintf(line, sizeof line, f.kind == FitFinding::Kind::Cut ? messages::FitCutRow : messages::FitScrollRow, f.row + 1,
            f.line, f.detail.c_str());
        w.listInsertRow(ids::FitList, static_cast<int>(i), line);
    }
    w.setListSelectionMark(ids::FitList, 0);
    w.listSelectRow(ids::FitList, 0);
    w.setFocus(ids::FitList);
}

void FitCheckDialog::goToChosen()
{
    const int line = window().listSelectionMark(ids::FitList);
    if (line < 0 || line >= static_cast<int>(found_.size()))
        return;
    if (owner_.selectCatalogueRow(found_[static_cast<std::size_t>(line)].row, &window()))
        window().endDialog(ui::IdOk);
}

void FitCheckDialog::onCommand(int id)
{
    if (id == ids::FitGoButton)
        goToChosen();
    else if (id == ui::IdCancel)
        window().endDialog(ui::IdCancel);
}

void FitCheckDialog::onNotify(int controlId, ui::Notification notification)
{
    if (controlId == ids::FitList && notification == ui::Notification::DoubleClick)
        goToChosen();
}

} // namespace scrivlet
