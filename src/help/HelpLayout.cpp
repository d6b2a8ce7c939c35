#include "HelpLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

namespace tankeli {

HelpLayout layoutHelpWindow(double width, double height)
{
    HelpLayout l;
    // A minimised window has a client area of 0 × 0: the text box then keeps its size.
    if (width - 20 >= 0)
        l.textWidth = width - 20;
    if (height - 100 >= 0)
        l.textHeight = height - 100;
    l.button = {double(halfOf(width) - halfOf(pictureButtonSize.width())), height - 50};
    return l;
}

QList<QRect> HelpLayout::controls() const
{
    return {placedRect(QPointF(textLeft, textTopLeftDesign.y()),
                       QSizeF(textWidth.value_or(0), textHeight.value_or(0))),
            placedRect(button, pictureButtonSize)};
}

QSize HelpLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutHelpWindow(w, h).controls(); });
    return minimum;
}

} // namespace tankeli
