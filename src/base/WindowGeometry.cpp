#include "WindowGeometry.h"

#include "Halving.h"

#include <cmath>

namespace tankeli {
namespace {
constexpr int searchLimit = 4000; // pixels; no window of the program needs nearly this much
constexpr double tall = searchLimit;
} // namespace

QSize twipsToPixels(QSize twips)
{
    const auto pixels = [](int t) { return int(std::ceil(double(t) / twipsPerPixel)); };
    return {pixels(twips.width()), pixels(twips.height())};
}

QPointF centredOn(QPointF buttonTopLeft, QSizeF buttonSize, QSizeF captionSize)
{
    return {buttonTopLeft.x() + halfOf(buttonSize.width()) - halfOf(captionSize.width()),
            buttonTopLeft.y() + halfOf(buttonSize.height()) - halfOf(captionSize.height())};
}

QRect placedRect(QPointF topLeft, QSizeF size)
{
    return QRect(topLeft.toPoint(), size.toSize());
}

QSize smallestClientFitting(const PlacedControls &controls, QSize from)
{
    const auto fitsAcross = [&](int width) {
        for (const QRect &r : controls(width, tall))
            if (r.left() < 0 || r.left() + r.width() > width)
                return false;
        return true;
    };
    int width = qMax(from.width(), 0);
    while (width < searchLimit && !fitsAcross(width))
        ++width;
    const auto fitsDown = [&](int height) {
        for (const QRect &r : controls(width, height))
            if (r.top() < 0 || r.top() + r.height() > height)
                return false;
        return true;
    };
    int height = qMax(from.height(), 0);
    while (height < searchLimit && !fitsDown(height))
        ++height;
    return {width, height};
}

} // namespace tankeli
