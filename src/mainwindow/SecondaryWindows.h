#pragma once
// The main window's five secondary windows: each is made on first use, at most one of
// each, and made again after its close box destroyed it. When the user leaves the help,
// statistics or calibration window, the keyboard focus goes back to the main window's
// field that had it when the window was opened (the price field when none had it).

#include "base/ProgramFolders.h"
#include "calculator/Energy.h"
#include "fillups/FillUpCommands.h"
#include "records/FileCommands.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace tankeli {

class CalibrationState;
class FillUpWindow;
class Help;
class Kalibroi;
class Stat;
class SummaryWindow;
class Tiedosto;
class TripFields;
class WindowMemory;

class SecondaryWindows : public QObject
{
    Q_OBJECT
public:
    SecondaryWindows(const ProgramFolders &folders, QWidget &mainWindow, QWidget &firstField,
                     TripFields &trip, CalibrationState &calibration, WindowMemory &places);
    ~SecondaryWindows() override;

    void showHelp(const QString &caption);
    void showCalibration();
    void showFiles(FileMode mode, const QString &caption);
    void showStatistics(const QString &caption);
    // Reads the records anew and shows the summary.
    void showSummary();
    // Every window from now on works on the files under these folders (another vehicle's,
    // running on this energy); the windows that show those files are closed and made anew
    // when next opened.
    void setVehicle(const ProgramFolders &folders, Energy energy);
    // Before the program ends or another vehicle is chosen: false where the fill-up log
    // holds rows typed but not saved and the user keeps them.
    bool mayCloseFillUps();
    // The vehicle's fill-up log: its window, and its import and export.
    void runFillUpCommand(FillUpCommand command);

signals:
    void calibrationCommitted();
    // A window could not load (a picture of the program's own is missing): the program
    // cannot go on, for the reason given, and the main window closes.
    void cannotGoOn(const QString &why);

private:
    // name: the window's, under which its place is remembered.
    template <typename Window, typename... Extra>
    Window *ensure(QPointer<Window> &holder, const QString &name, Extra &&...extra);
    // The chart's last trip becomes the file window's selection; the window is made,
    // hidden, when it does not exist yet.
    void selectCharted(const RecordEntry &last);
    void rememberFocus();
    void giveFocusBack();

    ProgramFolders m_folders;
    QWidget &m_main;
    QWidget &m_firstField;
    TripFields &m_trip;
    CalibrationState &m_calibration;
    WindowMemory &m_places;
    QPointer<QWidget> m_focusBefore;
    QPointer<Help> m_help;
    QPointer<Kalibroi> m_calibrationWindow;
    QPointer<Tiedosto> m_files;
    QPointer<Stat> m_stat;
    QPointer<SummaryWindow> m_summary;
    QPointer<FillUpWindow> m_fillUps;
    Energy m_energy = Energy::Petrol;
};

} // namespace tankeli
