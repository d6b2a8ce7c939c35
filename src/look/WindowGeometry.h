#pragma once
// Window units: twips for a window's outer minimum size, pixels for everything inside,
// and the centring of a picture button's caption on its button.

#include <QPointF>
#include <QSize>
#include <QSizeF>

namespace tankeli {

inline constexpr int twipsPerPixel = 15;

// The frame a desktop draws around a window (two side borders; title bar and bottom
// border), which the outer sizes of the minimum rules include and the client area
// does not.
inline constexpr int frameWidthAllowance = 16;
inline constexpr int frameHeightAllowance = 39;

// The smallest size of a window's inside (menu bar included) for a minimum outer size
// given in twips.
QSize minimumInnerSize(int outerWidthTwips, int outerHeightTwips);

// Top-left corner of a caption centred on its button:
// left = button left + half(button width) − half(caption width), likewise for the top.
QPointF centredOn(QPointF buttonTopLeft, QSizeF buttonSize, QSizeF captionSize);

// The sizes every picture button shares.
inline constexpr QSizeF pictureButtonSize{113, 33};
inline constexpr QSizeF pictureCaptionSize{97, 17};

} // namespace tankeli
