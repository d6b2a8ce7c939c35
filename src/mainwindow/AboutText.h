#pragma once
// The text of the About box ("Tietoja"): seven lines, each ended by CR LF.

#include <QString>

namespace tankeli {

QString aboutText();

} // namespace tankeli
