#pragma once
// The instructions of the help window: a heading, an introduction, nine numbered
// instructions and the author and maker lines, 25 lines each ended by CR LF.

#include <QString>

namespace tankeli {

QString helpText();

} // namespace tankeli
