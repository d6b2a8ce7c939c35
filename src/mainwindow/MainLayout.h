#pragma once
// Where the main window's controls go for a given client size: the rows as a centred
// column, the title above them, the three picture buttons in a row near the bottom.

#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <array>

namespace tankeli {

struct MainLayout
{
    static constexpr QSizeF fieldSize{57, 19};
    static constexpr QSizeF captionSize{113, 17}; // txt_Vasen, right-aligned
    static constexpr QSizeF unitSize{89, 17};     // txt_Oikea, left-aligned
    static constexpr QSizeF titleSize{425, 33};
    static constexpr QSize designedClient{424, 320};
    static constexpr int minimumOuterWidthTwips = 6500;
    static constexpr int minimumOuterHeightTwips = 5500;
    static constexpr int rowPitch = 30;

    std::array<QPointF, 7> fields, captions, units;
    QPointF title;
    std::array<QPointF, 3> buttons, buttonCaptions;
};

// Positions (top-left corners, fractional pixels) for a client area W × H.
MainLayout layoutMainWindow(double width, double height);

} // namespace tankeli
