#pragma once

#include "Window.h"

#include <algorithm>

namespace scrivlet::ui {

// Where a picture of `width` x `height` pixels stands in a control's room:
// at its size in the middle, or scaled down as a whole where it is larger.
// Every backend draws it there and reports the mouse on it from there.
inline PixelRect picturePlace(const PixelRect& room, int width, int height)
{
    const int roomWidth = room.right - room.left, roomHeight = room.bottom - room.top;
    if (width <= 0 || height <= 0)
        return {room.left, room.top, room.left, room.top};
    const double scale = std::min({1.0, static_cast<double>(roomWidth) / width, static_cast<double>(roomHeight) / height});
    const int shownWidth = static_cast<int>(width * scale), shownHeight = static_cast<int>(height * scale);
    const int left = room.left + (roomWidth - shownWidth) / 2, top = room.top + (roomHeight - shownHeight) / 2;
    return {left, top, left + shownWidth, top + shownHeight};
}

// The picture's pixel under point (x, y) of the room; false off the picture.
inline bool picturePixelAt(const PixelRect& room, int width, int height, int x, int y, int& pixelX, int& pixelY)
{
    const PixelRect place = picturePlace(room, width, height);
    if (place.empty() || x < place.left || y < place.top || x >= place.right || y >= place.bottom)
        return false;
    pixelX = static_cast<int>(static_cast<long long>(x - place.left) * width / (place.right - place.left));
    pixelY = static_cast<int>(static_cast<long long>(y - place.top) * height / (place.bottom - place.top));
    return true;
}

// The point of the room in the middle of a picture's pixel (x, y), as a hand
// pointing at it would choose.
inline void pointOfPicturePixel(const PixelRect& room, int width, int height, int x, int y, int& pointX, int& pointY)
{
    const PixelRect place = picturePlace(room, width, height);
    pointX = place.left + static_cast<int>((x + 0.5) * (place.right - place.left) / width);
    pointY = place.top + static_cast<int>((y + 0.5) * (place.bottom - place.top) / height);
}

} // namespace scrivlet::ui
