#include "SummaryLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

#include <algorithm>
#include <cmath>

namespace tankeli {

SummaryLayout layoutSummaryWindow(double width, double height, bool withLeftOut)
{
    using L = SummaryLayout;
    L l;
    const double valueLeft = L::margin + L::labelWidth + 8;
    l.valueWidth = std::max(L::minimumValueWidth, width - valueLeft - L::margin);
    for (int i = 0; i < L::lineCount; ++i) {
        l.labels[i] = {L::margin, L::margin + i * L::lineHeight};
        l.values[i] = {valueLeft, L::margin + i * L::lineHeight};
    }
    l.heading = {L::margin, L::margin + L::lineCount * L::lineHeight + 8};
    const double tableTop = l.heading.y() + 19;
    const double buttonsTop = height - L::margin - L::buttonSize.height();
    const double below = (withLeftOut ? L::leftOutHeight + 8 : 0) + 10;
    // The table takes what is left; below its least height the window is too small.
    const double tableHeight = std::max(L::minimumTableHeight, buttonsTop - below - tableTop);
    const double innerWidth = std::max(L::labelWidth + 8 + L::minimumValueWidth, width - 2 * L::margin);
    l.table = {L::margin, tableTop, innerWidth, tableHeight};
    double next = tableTop + tableHeight + 10;
    if (withLeftOut) {
        l.leftOut = QRectF(L::margin, next - 2, innerWidth, L::leftOutHeight);
        next += L::leftOutHeight + 8;
    }
    const double top = std::max(buttonsTop, next);
    const double c = double(halfOf(width));
    l.buttons[0] = {c - L::buttonSize.width() - 5, top};
    l.buttons[1] = {c + 5, top};
    return l;
}

QList<QRect> SummaryLayout::controls() const
{
    QList<QRect> rects;
    for (int i = 0; i < lineCount; ++i)
        rects << placedRect(labels[i], QSizeF(labelWidth, lineHeight)) << placedRect(values[i], QSizeF(valueWidth, lineHeight));
    rects << table.toRect() << placedRect(buttons[0], buttonSize) << placedRect(buttons[1], buttonSize);
    if (leftOut)
        rects << leftOut->toRect();
    return rects;
}

QSize SummaryLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutSummaryWindow(w, h, true).controls(); });
    return minimum;
}

} // namespace tankeli
