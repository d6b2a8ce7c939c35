#pragma once
// The menu "Ajoneuvo" and what its commands do: one radio item per vehicle (Ctrl+1 to
// Ctrl+9 for the first nine), a new vehicle, editing and removing the chosen one, and the
// comparison of one trip's cost with every vehicle. The main window is reached only
// through VehicleHost.

#include "Garage.h"
#include "fillups/FillUpCommands.h"

#include <QObject>
#include <QPointer>

class QActionGroup;
class QMenu;
class QWidget;

namespace tankeli {

class ComparisonWindow;

class WindowMemory;

// The main window as the vehicle commands use it.
class VehicleHost
{
public:
    virtual ~VehicleHost() = default;
    // Writes the chosen vehicle's settings as they stand; the failure says why.
    virtual Done saveVehicleSettings() = 0;
    // The settings as the main window holds them now, a price typed but not saved included.
    virtual Settings currentSettings() const = 0;
    // The text of the distance field.
    virtual QString distanceText() const = 0;
    // Works on this vehicle from now on: reads its settings, shows its texts and title, and
    // lets every window work on its files. The failure names the file that could not be read.
    virtual Done useVehicle(const ProgramFolders &folders, const VehicleInfo &info, int vehicleCount) = 0;
    // Before the vehicle's windows close for another's: false where the user keeps work
    // in them that cannot be saved yet.
    virtual bool mayLeaveVehicle() = 0;
};

class VehicleMenu : public QObject
{
    Q_OBJECT
public:
    VehicleMenu(QMenu &menu, QWidget &mainWindow, VehicleHost &host, const ProgramFolders &home,
                WindowMemory &places);
    ~VehicleMenu() override;

    // Reads the vehicles and starts with the one chosen last; what could not be read is
    // named in the list. Fails as useVehicle() does.
    Outcome<QStringList> load();
    // Remembers the consumption last calculated with the chosen vehicle.
    void rememberConsumption(const QString &consumption);

    void choose(int index);
    void addVehicle();
    void editVehicle();
    void removeVehicle();
    void compare();

signals:
    void fillUpCommand(tankeli::FillUpCommand command);

private:
    void rebuild();
    Done useChosen();
    void inform(const QString &text);

    QMenu &m_menu;
    QWidget &m_main;
    VehicleHost &m_host;
    ProgramFolders m_home;
    WindowMemory &m_places;
    Garage m_garage;
    QPointer<ComparisonWindow> m_comparison;
    QPointer<QActionGroup> m_group;
};

} // namespace tankeli
