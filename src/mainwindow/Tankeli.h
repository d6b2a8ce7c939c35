#pragma once
// The main window: the seven trip rows, the commands Laske, Nollaa and Ohjeita, the
// menus, the time view and the About box. It owns the calibration state that the
// calculation reads, opens the secondary windows, and saves the settings file when it
// closes. Other windows reach it only as the trip fields of a record (TripFields).

#include "base/ProgramFolders.h"
#include "calibration/CalibrationState.h"
#include "MainMenus.h"
#include "TripRowsView.h"
#include "look/WindowMemory.h"
#include "look/WindowSizing.h"
#include "vehicles/SettingsFile.h"
#include "vehicles/VehicleMenu.h"
#include "records/TripFields.h"

#include <QMainWindow>

class QLabel;
class QLineEdit;

namespace tankeli {

class GradientBackground;
class PictureButtons;
class SecondaryWindows;

// The picture buttons of the main window, left to right, and the commands they run.
enum class MainButton { Calculate, Reset, Help };

class Tankeli : public QMainWindow, private TripFields, private VehicleHost
{
    Q_OBJECT
public:
    explicit Tankeli(ProgramFolders folders, QWidget *parent = nullptr);
    ~Tankeli() override;

    // Start-up: pictures, captions, tooltips and the settings file. The failure names
    // the file and the fault when the program cannot start.
    Done Form_Load();
    // Runs the command of a picture button (or of its letter key).
    void Suorita(MainButton command);
    // Writes the settings file now, as closing does, and where the windows are; the
    // failure names the settings file and the fault. Writes nothing before the window has
    // loaded.
    Done saveSettings();
    // Closes the window as the close command does, for a request from outside it (logout,
    // shutdown, a signal) that nobody may be there to answer: no message box is shown, a
    // question open meanwhile does none of its work (Messages::endRequested), and the
    // failure says why the settings could not be written.
    Done closeUnattended();

signals:
    // The window has closed, with the settings written: the program ends, with the exit
    // status given. It is EXIT_FAILURE after a fault in the program's own files (a
    // secondary window's picture) that it could not go on from, or an unattended close
    // that could not write the settings; otherwise EXIT_SUCCESS.
    void closed(int exitStatus);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    // TripFields
    RecordValues recordValues() const override;
    void setRecordValues(const RecordValues &values) override;
    void calculate() override;
    void useConsumption(const QString &consumption) override;
    // Runs the calculation on the fields and shows its results; on failure changes no
    // field, and the failure is the message to show.
    Done calculateFields();
    // VehicleHost
    Done saveVehicleSettings() override { return saveSettings(); }
    Settings currentSettings() const override;
    QString distanceText() const override;
    Done useVehicle(const ProgramFolders &folders, const VehicleInfo &info, int vehicleCount) override;
    bool mayLeaveVehicle() override;

    void run(MainCommand command);
    void applyTimeView();
    void Form_Resize();
    // Close-time work: writes the settings; a failure is shown in a box, or handed to
    // closeUnattended(). False when they could not be written.
    bool Form_Unload();
    void Kasittele_Nappain(int key);
    bool handleFieldKey(QLineEdit *field, QKeyEvent *event);
    // Says why the program cannot go on and closes the window as the close command does.
    void stopForFault(const QString &why);

    ProgramFolders m_folders;
    GradientBackground *m_client;
    QLabel *m_title;
    TripRowsView m_rows;
    MainMenus *m_menus;
    PictureButtons *m_buttons = nullptr;
    CalibrationState m_calibration;
    SecondaryWindows *m_windows;
    Energy m_energy = Energy::Petrol; // of the vehicle in use
    VehicleMenu *m_vehicles;
    WindowSizing m_sizing;
    SettingsFile m_settingsFile;
    WindowMemory m_places;
    bool m_loaded = false;
    bool m_stopped = false;            // by a fault in the program's own files
    Done *m_unattendedClose = nullptr; // where closeUnattended() wants the close's outcome
};

} // namespace tankeli
