#pragma once
// A vehicle's own small file, Data/Ajoneuvo.txt beside its settings: its name, what it
// runs on and the consumption last calculated with it, one per line (UTF-8, CR LF). The
// settings file keeps its five lines for every vehicle; this file holds the rest.

#include "base/Outcome.h"
#include "calculator/Energy.h"

#include <QString>

namespace tankeli {

struct VehicleInfo
{
    QString name;
    Energy energy = Energy::Petrol;
    QString lastConsumption; // as the consumption field showed it; empty when none
    bool operator==(const VehicleInfo &) const = default;
};

// The vehicle whose files were the program's only files before there were vehicles.
inline const QString firstVehicleName = QStringLiteral("Oma auto");

inline const QString vehicleFileName = QStringLiteral("Ajoneuvo.txt");

// Reads the file; a missing file gives `fallback`. A file that cannot be read, or names no
// energy the program knows, is a failure naming the file.
Outcome<VehicleInfo> readVehicleFile(const QString &path, const VehicleInfo &fallback);
// Writes the file whole or not at all, through the program's hidden scratch folder beside it.
Done writeVehicleFile(const QString &path, const VehicleInfo &info);

} // namespace tankeli
