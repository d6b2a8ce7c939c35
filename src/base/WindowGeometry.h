#pragma once
// Window units: twips for a window's outer minimum size, pixels for everything inside;
// the centring of a picture button's caption on its button; and the smallest client
// area at which a window's layout shows every control whole.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <functional>

namespace tankeli {

inline constexpr int twipsPerPixel = 15;

// An outer size given in twips, in whole pixels (rounded up).
QSize twipsToPixels(QSize twips);

// Top-left corner of a caption centred on its button:
// left = button left + half(button width) − half(caption width), likewise for the top.
QPointF centredOn(QPointF buttonTopLeft, QSizeF buttonSize, QSizeF captionSize);

// Where a control lands: its top-left corner rounded to whole pixels, as placed.
QRect placedRect(QPointF topLeft, QSizeF size);

// The rectangles of every control a layout places for a client area W × H.
using PlacedControls = std::function<QList<QRect>(double width, double height)>;

// The smallest client area, not below `from`, at which every rectangle lies wholly
// inside it. Horizontal positions follow only the width and vertical ones only the
// height, so each is searched on its own.
QSize smallestClientFitting(const PlacedControls &controls, QSize from = QSize(0, 0));

// The sizes every picture button shares.
inline constexpr QSizeF pictureButtonSize{113, 33};
inline constexpr QSizeF pictureCaptionSize{97, 17};

} // namespace tankeli
