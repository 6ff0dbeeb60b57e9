// Static texts and pictures: a picture that reports clicks.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::clickControl(int id)
{
    if (at(id).enabled)
        handler_.onNotify(id, Notification::Click);
}

} // namespace scrivlet::ui
