#include "CalibrationLayout.h"

#include "base/Halving.h"
#include "base/WindowGeometry.h"

namespace tankeli {

CalibrationLayout layoutCalibrationWindow(double width, double height)
{
    using L = CalibrationLayout;
    L l;
    const double c = double(halfOf(width));
    l.title = {c - halfOf(L::titleSize.width()), height * 0.1 - 20};
    l.button = {c - halfOf(pictureButtonSize.width()), height - 50};

    const double fieldLeft = c - halfOf(L::fieldSize.width());
    const double firstTop = height * 0.3;
    for (int i = 0; i < 3; ++i) {
        l.fields[i] = {fieldLeft, firstTop + 30 * i};
        l.captions[i] = {fieldLeft - L::captionSize.width() - 10, firstTop + 30 * i};
    }
    for (int i = 0; i < 2; ++i)
        l.units[i] = {fieldLeft + L::fieldSize.width() + 10, firstTop + 30 * i};

    const double choiceLeft = c - halfOf(L::choiceCaptionSize.width());
    const double choiceTop = l.fields[2].y() + 40;
    l.choiceCaption = {choiceLeft, choiceTop};
    l.option = {choiceLeft - 2 * L::optionSize.width(), choiceTop};
    return l;
}

QList<QRect> CalibrationLayout::controls() const
{
    QList<QRect> rects{placedRect(title, titleSize), placedRect(button, pictureButtonSize),
                       placedRect(choiceCaption, choiceCaptionSize), placedRect(option, optionSize)};
    for (int i = 0; i < 3; ++i)
        rects << placedRect(fields[i], fieldSize) << placedRect(captions[i], captionSize);
    for (const QPointF &unit : units)
        rects << placedRect(unit, unitSize);
    return rects;
}

QSize CalibrationLayout::contentMinimum()
{
    static const QSize minimum = smallestClientFitting(
        [](double w, double h) { return layoutCalibrationWindow(w, h).controls(); });
    return minimum;
}

} // namespace tankeli
