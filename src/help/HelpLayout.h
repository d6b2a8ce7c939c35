#pragma once
// Where the help window's controls go for a given client size.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace tankeli {

struct HelpLayout
{
    static constexpr QSize designedClient{304, 401};
    static constexpr QPointF textTopLeftDesign{16, 16};
    static constexpr QSizeF textDesignSize{273, 329};
    static constexpr QSize minimumOuterTwips{2500, 4000};

    double textLeft = 10;
    std::optional<double> textWidth; // unset when it would be negative
    std::optional<double> textHeight;
    QPointF button;

    QList<QRect> controls() const;
    static QSize contentMinimum();
};

HelpLayout layoutHelpWindow(double width, double height);

} // namespace tankeli
