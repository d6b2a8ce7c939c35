#pragma once
// The fonts of the windows. The design's "MS Sans Serif" 9.75 pt and Arial 8.25 pt
// are not on Linux; Liberation Sans has Arial's metrics and keeps every caption within
// its label at the designed sizes.

#include <QFont>

namespace tankeli {

// Labels, fields and button captions (9.75 pt at 96 dots per inch).
QFont labelFont();
// The chart canvas (8.25 pt at 96 dots per inch).
QFont canvasFont();

} // namespace tankeli
