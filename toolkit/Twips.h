#pragma once

#include <QRect>
#include <cmath>

namespace hibimo {

// The layout is given in twips: 15 to a device-independent pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

inline int twipsToPx(int twips) {
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
}
inline QRect twipRect(int left, int top, int width, int height) {
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}

} // namespace hibimo
