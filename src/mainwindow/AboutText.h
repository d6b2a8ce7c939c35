#pragma once
// The text of the About box ("Tietoja"): the seven lines of the program, its author and
// version, then where the trips are kept (for backups), each line ended by CR LF.

#include <QString>

namespace tankeli {

QString aboutText(const QString &recordFolder);

// The main window's title: the program's own with one vehicle; with more, naming the
// vehicle in use ("Tankeli v1.1 – Sähköauto").
QString mainWindowTitle(const QString &vehicleName, int vehicleCount);

} // namespace tankeli
