#pragma once
// Where the statistics window's controls go for a given client size: the canvas
// centred with its height following the window, the five selectors in two rows below
// it and the close button under them.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <array>

namespace tankeli {

struct StatLayout
{
    static constexpr double canvasWidth = 329;
    static constexpr QSizeF titleSize{329, 17};
    static constexpr QSizeF selectorSize{105, 25};       // Knapi
    static constexpr QSizeF selectorCaptionSize{89, 17}; // Knapi_Txt
    static constexpr QSize designedClient{342, 354};
    static constexpr QSize minimumOuterTwips{5500, 6000};

    QPointF canvas;
    double canvasHeight = 0;
    QPointF title;
    std::array<QPointF, 5> selectors;
    QPointF button;

    QList<QRect> controls() const;
    static QSize contentMinimum();
};

StatLayout layoutStatWindow(double width, double height);

} // namespace tankeli
