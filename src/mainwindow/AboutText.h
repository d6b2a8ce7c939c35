#pragma once
// The text of the About box ("Tietoja"): the seven lines of the program, its author and
// version, then where the trips are kept (for backups), each line ended by CR LF.

#include "calculator/Energy.h"

#include <QString>

namespace tankeli {

QString aboutText(const QString &recordFolder);

// The main window's title: the program's own with one vehicle; with more, naming the
// vehicle in use ("Tankeli v1.1 – Sähköauto").
QString mainWindowTitle(const QString &vehicleName, int vehicleCount);

// The line above the main window's rows, naming what the vehicle uses: litres for
// petrol and diesel, kilowatt-hours for electricity, kilograms for gas.
QString introText(Energy energy);

} // namespace tankeli
