#pragma once
// Where the main window's controls go for a given client size: the rows as a centred
// column, the title above them, the three picture buttons in a row near the bottom.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <array>

namespace tankeli {

struct MainLayout
{
    static constexpr QSizeF fieldSize{57, 19};
    static constexpr QSizeF captionSize{113, 17}; // txt_Vasen, right-aligned
    static constexpr QSizeF unitSize{89, 17};     // txt_Oikea, left-aligned
    // One pixel narrower than designed, so that the centred title lies within the
    // designed client area; its left edge is where the design puts it.
    static constexpr QSizeF titleSize{424, 33};
    static constexpr QSize designedClient{424, 320};
    static constexpr QSize minimumOuterTwips{6500, 5500};
    static constexpr int rowPitch = 30;

    std::array<QPointF, 7> fields;
    std::array<QPointF, 7> captions;
    std::array<QPointF, 7> units;
    QPointF title;
    std::array<QPointF, 3> buttons;

    // Every control as placed, for checking that they all fit.
    QList<QRect> controls() const;
    // The smallest client area that shows every control whole.
    static QSize contentMinimum();
};

// Positions (top-left corners, fractional pixels) for a client area W × H.
MainLayout layoutMainWindow(double width, double height);

} // namespace tankeli
