#include "HelpLayout.h"

#include "look/Halving.h"
#include "look/WindowGeometry.h"

namespace tankeli {

HelpLayout layoutHelpWindow(double width, double height)
{
    HelpLayout l;
    // A minimised window has a client area of 0 × 0: the text box then keeps its size.
    if (width - 20 >= 0)
        l.textWidth = width - 20;
    if (height - 100 >= 0)
        l.textHeight = height - 100;
    l.button = {double(halfOf(width) - halfOf(pictureButtonSize.width())), height - 50};
    l.buttonCaption = centredOn(l.button, pictureButtonSize, pictureCaptionSize);
    return l;
}

} // namespace tankeli
