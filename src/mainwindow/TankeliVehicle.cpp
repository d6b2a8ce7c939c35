// The main window as the vehicle menu meets it: the settings of the vehicle in use, the
// distance to compare, and the change to another vehicle.
#include "AboutText.h"
#include "SecondaryWindows.h"
#include "Tankeli.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

namespace tankeli {

Done Tankeli::useVehicle(const ProgramFolders &folders, const VehicleInfo &info, int vehicleCount)
{
    SettingsFile settingsFile(folders.settingsFile());
    const Outcome<Settings> read = settingsFile.read();
    if (!read)
        return Done::failure(read.error());
    m_folders = folders;
    m_energy = info.energy;
    m_settingsFile = settingsFile;
    m_windows->setVehicle(folders, info.energy);
    m_rows.setEnergy(info.energy);
    m_title->setText(introText(info.energy));
    m_rows.show(Price, read->price);
    m_calibration = CalibrationState::fromSettings(read->displayReading, read->meterReading,
                                                   read->calibrationInUse);
    m_menus->action(MainCommand::TimeView).setChecked(read->timeView);
    m_menus->action(MainCommand::Calibrate).setChecked(m_calibration.Kalibrointi_Kaytossa());
    applyTimeView();
    // A screen reader hears the new title as the window's new name.
    setWindowTitle(mainWindowTitle(info.name, vehicleCount));
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    return {};
}

bool Tankeli::mayLeaveVehicle()
{
    return m_windows->mayCloseFillUps();
}

Settings Tankeli::currentSettings() const
{
    return {m_rows.field(Price).text(), m_calibration.displaySetting(), m_calibration.meterSetting(),
            m_calibration.Kalibrointi_Kaytossa(), m_menus->action(MainCommand::TimeView).isChecked()};
}

QString Tankeli::distanceText() const
{
    return m_rows.field(Distance).text();
}

} // namespace tankeli
