// Message boxes: recorded with their words, caption and icon.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    messages.push_back({text, caption, icon});
    if (onMessageBox)
        onMessageBox(messages.back());
}

} // namespace scrivlet::ui
