#pragma once
// The household's vehicles. The first is the program's own files as they always were
// (Data/Arvot.txt and stat/ in the program's data folder); every other vehicle keeps the
// same files in a folder of its own named after it, Ajoneuvot/<name>/Data/Arvot.txt and
// Ajoneuvot/<name>/stat/, so every rule of the settings and the trips holds for each.
// Each vehicle's Data/ also holds its own small file (VehicleFile.h), and the first
// vehicle's Data/ remembers which vehicle was chosen last.

#include "SettingsFile.h"
#include "VehicleFile.h"
#include "base/ProgramFolders.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace tankeli {

class Garage
{
public:
    // home: the program's own folders, which are the first vehicle's.
    explicit Garage(ProgramFolders home);

    // Reads the vehicles and the choice. What could not be read is named in the list, and
    // such a vehicle is taken as it would be without its own file. A folder under
    // Ajoneuvot/ without a Data/ folder is not a vehicle and is left alone.
    QStringList load();

    int count() const { return int(m_vehicles.size()); }
    const VehicleInfo &info(int index) const { return m_vehicles[index].info; }
    // The vehicle's settings, trips and pictures.
    ProgramFolders folders(int index) const;
    int current() const { return m_current; }
    // Makes the vehicle the chosen one and remembers it for the next start.
    Done choose(int index);

    // Why a name cannot be given to a vehicle (a Finnish message), or nullopt; `renaming`
    // is the vehicle being renamed, whose own name is no clash.
    std::optional<QString> nameProblem(const QString &name, std::optional<int> renaming = std::nullopt) const;
    // Makes a vehicle with these starting settings, whole or not at all; its index.
    Outcome<int> add(const VehicleInfo &info, const Settings &startingSettings);
    // Renames the vehicle (its folder goes with the name) and sets what it runs on.
    Done edit(int index, const QString &name, Energy energy);
    // Moves the vehicle's folder into the desktop's trash; never deletes it. The first
    // vehicle's files are the program's own and stay.
    Done remove(int index);
    // Remembers the consumption last calculated with the vehicle; written only when it changed.
    Done rememberConsumption(int index, const QString &consumption);

    // A name longer than this many bytes cannot be a file's or a folder's name.
    static constexpr qsizetype maxNameBytes = 255;

private:
    struct Vehicle
    {
        VehicleInfo info;
        QString root; // the folder that holds its Data/ and stat/
    };
    QString vehiclesFolder() const;
    QString vehicleFile(int index) const;
    QString choiceFile() const;

    ProgramFolders m_home;
    QList<Vehicle> m_vehicles;
    int m_current = 0;
};

} // namespace tankeli
