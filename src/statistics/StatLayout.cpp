#include "StatLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

#include <cmath>

namespace tankeli {

StatLayout layoutStatWindow(double width, double height)
{
    using L = StatLayout;
    L l;
    const double c = double(halfOf(width));
    l.canvas = {c - halfOf(L::canvasWidth), height * 0.05};
    l.canvasHeight = height * 0.6;
    l.title = {l.canvas.x(), l.canvas.y() - L::titleSize.height()};

    const double w = L::selectorSize.width();
    const double firstRow = height * 0.73;
    const double secondRow = firstRow + L::selectorSize.height() + 5;
    const double middle = c - halfOf(w);
    l.selectors[1] = {middle, firstRow};
    l.selectors[0] = {middle - w - 5, firstRow};
    l.selectors[2] = {l.selectors[0].x() + 2 * w + 10, firstRow};
    l.selectors[3] = {c - w, secondRow};
    l.selectors[4] = {l.selectors[3].x() + w + 10, secondRow};
    l.button = {c - halfOf(pictureButtonSize.width()), secondRow + L::selectorSize.height() + 8};
    return l;
}

QList<QRect> StatLayout::controls() const
{
    QList<QRect> rects{placedRect(canvas, QSizeF(canvasWidth, std::round(qMax(canvasHeight, 0.0)))),
                       placedRect(title, titleSize), placedRect(button, pictureButtonSize)};
    for (const QPointF &selector : selectors)
        rects << placedRect(selector, selectorSize);
    return rects;
}

QSize StatLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutStatWindow(w, h).controls(); });
    return minimum;
}

} // namespace tankeli
