#pragma once
// Where the summary window's controls go for a given client size: the labelled totals
// and averages in two columns at the top, the table by month under its heading, taking
// the height that is left, the note of trips left out under it when there is one, and
// the two buttons at the bottom.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <array>
#include <optional>

namespace tankeli {

struct SummaryLayout
{
    static constexpr int lineCount = 9;
    static constexpr double margin = 12;
    static constexpr double lineHeight = 18;
    static constexpr double labelWidth = 170;
    static constexpr double minimumValueWidth = 220;
    static constexpr double minimumTableHeight = 80;
    static constexpr double leftOutHeight = 62;
    // Wider than the other windows' buttons: "Käytä laskimessa" is a long caption.
    static constexpr QSizeF buttonSize{141, 33};
    static constexpr QSizeF buttonCaptionSize{125, 17};
    // Tall enough for a year of months, its year row and "Muut" without scrolling.
    static constexpr QSize designedClient{440, 560};
    static constexpr QSize minimumOuterTwips{6600, 6600};

    std::array<QPointF, lineCount> labels;
    std::array<QPointF, lineCount> values;
    double valueWidth = 0;
    QPointF heading;
    QRectF table;
    std::optional<QRectF> leftOut;
    std::array<QPointF, 2> buttons;

    QList<QRect> controls() const;
    // The smallest client area that shows everything, the note of trips left out too.
    static QSize contentMinimum();
};

SummaryLayout layoutSummaryWindow(double width, double height, bool withLeftOut);

} // namespace tankeli
