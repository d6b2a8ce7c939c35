#include "MainLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

namespace tankeli {

MainLayout layoutMainWindow(double width, double height)
{
    MainLayout l;
    const double c = double(halfOf(width));
    const double fieldLeft = c - halfOf(MainLayout::fieldSize.width());
    const double firstTop = height * 0.3 - 38;
    for (int i = 0; i < 7; ++i) {
        const double top = firstTop + MainLayout::rowPitch * i;
        l.fields[i] = {fieldLeft, top};
        l.captions[i] = {fieldLeft - MainLayout::captionSize.width() - 10, top};
        l.units[i] = {fieldLeft + MainLayout::fieldSize.width() + 10, top};
    }
    l.title = {c - halfOf(MainLayout::titleSize.width()), height * 0.1 - 20};

    const double w = pictureButtonSize.width();
    const double buttonTop = height * 0.85;
    l.buttons = {QPointF(c - 1.8 * w, buttonTop), QPointF(c - halfOf(w), buttonTop),
                 QPointF(c + 0.8 * w, buttonTop)};
    return l;
}

QList<QRect> MainLayout::controls() const
{
    QList<QRect> rects{placedRect(title, titleSize)};
    for (int i = 0; i < 7; ++i)
        rects << placedRect(fields[i], fieldSize) << placedRect(captions[i], captionSize)
              << placedRect(units[i], unitSize);
    for (const QPointF &button : buttons)
        rects << placedRect(button, pictureButtonSize);
    return rects;
}

QSize MainLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutMainWindow(w, h).controls(); });
    return minimum;
}

} // namespace tankeli
