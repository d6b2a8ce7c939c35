#include "FileLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

#include <cmath>

namespace tankeli {

FileLayout layoutFileWindow(double width, double height, double currentListHeight)
{
    FileLayout l;
    // The products are taken in double precision and kept as single-precision positions.
    const float top = static_cast<float>(height * 0.1);
    const float listHeight = static_cast<float>(height * 0.8 - 100);
    // While the window is minimised the height would come out negative: that step is
    // skipped and the list keeps the height it had.
    if (listHeight >= 0)
        l.listHeight = listHeight;
    const double shownHeight = l.listHeight.value_or(currentListHeight);
    l.list = {double(halfOf(width) - halfOf(FileLayout::listWidth)), top};
    l.heading = {l.list.x(), top - FileLayout::headingSize.height()};
    l.nameField = {l.list.x(), top + shownHeight + 10};

    const double w = pictureButtonSize.width();
    const double buttonTop = static_cast<float>(height * 0.85);
    const double middle = double(halfOf(width) - halfOf(w));
    l.buttons = {QPointF(middle, buttonTop), QPointF(middle - w - 10, buttonTop),
                 QPointF(middle + w + 10, buttonTop)};
    return l;
}

QList<QRect> FileLayout::controls() const
{
    QList<QRect> rects{
        placedRect(list, QSizeF(listWidth, std::round(listHeight.value_or(0)))),
        placedRect(heading, headingSize), placedRect(nameField, nameFieldSize)};
    for (const QPointF &button : buttons)
        rects << placedRect(button, pictureButtonSize);
    return rects;
}

QSize FileLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutFileWindow(w, h, 0).controls(); });
    return minimum;
}

} // namespace tankeli
