// The help viewer: asked for, counted; the model has no page to show.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::showHelpTopics() { ++helpRequests; }

} // namespace scrivlet::ui
