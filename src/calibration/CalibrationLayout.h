#pragma once
// Where the calibration window's controls go for a given client size: the three rows
// centred from 30 % of the height, the title near the top, the on/off choice below the
// rows and the close button near the bottom.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <array>

namespace tankeli {

struct CalibrationLayout
{
    static constexpr QSizeF titleSize{321, 49};
    static constexpr QSizeF captionSize{113, 17}; // txt_Vasen, right-aligned
    static constexpr QSizeF fieldSize{97, 19};
    static constexpr QSizeF unitSize{73, 17}; // txt_Oikea
    static constexpr QSizeF choiceCaptionSize{201, 17};
    static constexpr QSizeF optionSize{17, 17};
    static constexpr QSize designedClient{318, 256};
    static constexpr QSize minimumOuterTwips{5000, 4000};

    QPointF title;
    QPointF button;
    std::array<QPointF, 3> fields;   // txt_Taulu, txt_Mittari, txt_Virhe
    std::array<QPointF, 3> captions; // txt_Vasen
    std::array<QPointF, 2> units;    // txt_Oikea
    QPointF choiceCaption;           // txt_Kalibrointia
    QPointF option;                  // Opti

    QList<QRect> controls() const;
    static QSize contentMinimum();
};

CalibrationLayout layoutCalibrationWindow(double width, double height);

} // namespace tankeli
