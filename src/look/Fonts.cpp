#include "Fonts.h"

namespace tankeli {
namespace {
QFont liberationSans(int pixelSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Pixel sizes keep the captions the designed size whatever the screen's dpi says.
    font.setPixelSize(pixelSize);
    return font;
}
} // namespace

QFont labelFont()
{
    return liberationSans(13);
}

QFont canvasFont()
{
    return liberationSans(11);
}

} // namespace tankeli
