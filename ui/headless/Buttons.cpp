// Push buttons: a click sends the button's command unless it is disabled.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::clickButton(int id)
{
    if (at(id).enabled)
        handler_.onCommand(id);
}

} // namespace scrivlet::ui
