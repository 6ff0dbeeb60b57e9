// Static texts and pictures: a picture that reports clicks.
#include "HeadlessWindow.h"

#include <algorithm>

namespace scrivlet::ui {

void HeadlessWindow::clickControl(int id)
{
    if (at(id).enabled)
        handler_.onNotify(id, Notification::Click);
}

void HeadlessWindow::dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels)
{
    const Control& c = at(id);
    const PixelImage& image = c.picture;
    if (pixels.empty() || !c.enabled || !c.visible || image.width <= 0 || image.height <= 0)
        return;
    const auto [x, y] = pixels.front();
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return; // pressed off the picture
    handler_.onPictureMouse(id, MouseAction::Press, x, y);
    for (std::size_t k = 1; k < pixels.size(); ++k)
        handler_.onPictureMouse(id, MouseAction::Drag, std::clamp(pixels[k].first, 0, image.width - 1),
            std::clamp(pixels[k].second, 0, image.height - 1));
}

} // namespace scrivlet::ui
