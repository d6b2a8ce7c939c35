#pragma once
// Where the file window's controls go for a given client size: the list, its heading
// and the name field as a centred column, the three buttons side by side below.

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <array>
#include <optional>

namespace tankeli {

struct FileLayout
{
    static constexpr double listWidth = 233;
    static constexpr QSizeF headingSize{233, 17};
    static constexpr QSizeF nameFieldSize{233, 19};
    static constexpr QSize designedClient{424, 314};
    static constexpr QSize minimumOuterTwips{5500, 6000};

    QPointF list;
    std::optional<float> listHeight; // unset where it would be negative
    QPointF heading;
    QPointF nameField;
    std::array<QPointF, 3> buttons; // Nappi(0) in the middle

    QList<QRect> controls() const;
    static QSize contentMinimum();
};

// currentListHeight is the list's height before this layout, which it keeps where a
// new height would be negative.
FileLayout layoutFileWindow(double width, double height, double currentListHeight);

} // namespace tankeli
