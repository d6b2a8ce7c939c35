#include "WindowGeometry.h"

#include "Halving.h"

#include <cmath>

namespace tankeli {

QSize minimumInnerSize(int outerWidthTwips, int outerHeightTwips)
{
    const auto pixels = [](int twips) { return int(std::ceil(double(twips) / twipsPerPixel)); };
    return {pixels(outerWidthTwips) - frameWidthAllowance,
            pixels(outerHeightTwips) - frameHeightAllowance};
}

QPointF centredOn(QPointF buttonTopLeft, QSizeF buttonSize, QSizeF captionSize)
{
    return {buttonTopLeft.x() + halfOf(buttonSize.width()) - halfOf(captionSize.width()),
            buttonTopLeft.y() + halfOf(buttonSize.height()) - halfOf(captionSize.height())};
}

} // namespace tankeli
