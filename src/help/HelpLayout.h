#pragma once
// Where the help window's controls go for a given client size.

#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace tankeli {

struct HelpLayout
{
    static constexpr QSize designedClient{304, 401};
    static constexpr QPointF textTopLeftDesign{16, 16};
    static constexpr QSizeF textDesignSize{273, 329};
    static constexpr int minimumOuterWidthTwips = 2500;
    static constexpr int minimumOuterHeightTwips = 4000;

    double textLeft = 10;
    std::optional<double> textWidth, textHeight; // unset when they would be negative
    QPointF button, buttonCaption;
};

HelpLayout layoutHelpWindow(double width, double height);

} // namespace tankeli
