#pragma once
// The text of the About box ("Tietoja"): the seven lines of the program, its author and
// version, then where the trips are kept (for backups), each line ended by CR LF.

#include <QString>

namespace tankeli {

QString aboutText(const QString &recordFolder);

} // namespace tankeli
