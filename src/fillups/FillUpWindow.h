#pragma once
// The fill-up log window (Tankkaukset) of one vehicle: its fill-ups as a table, edited in
// place, with the distance driven and the consumption of each full fill-up worked out;
// "Lisää" adds a row to type, "Poista" removes the current one after asking, and
// "Käytä laskimessa" puts the measured average consumption into the main window; under
// the table a curve shows the consumption over the dates, to save as an image or print.
// Every whole change is saved at once and can be undone (Ctrl+Z) and redone
// (Ctrl+Shift+Z) while the window is open. A log that cannot be read is shown read-only with the
// reason and never written. Escape and "Sulje" close it.

#include "FillUpLog.h"
#include "look/SecondaryWindow.h"

#include <QDate>

class QLabel;
class QTableView;
class QUndoStack;

namespace tankeli {

class ChartCanvas;
class FillUpTableModel;
class TripFields;

struct FillUpLogSetup
{
    QString logPath;          // the vehicle's Data/Tankkaukset.csv
    Energy energy = Energy::Petrol;
    Calibration calibration;  // as the calculator takes it (CalibrationState::forCalculation)
    QDate today = QDate::currentDate(); // no fill-up is dated later
};

class FillUpWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    // folders: the program's pictures; trip: the main window's fields for the average.
    FillUpWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip, FillUpLogSetup setup);

    // Makes the buttons and reads the log; fails only where the button pictures cannot be read.
    Done Form_Load();

    // Reads the log again (after an import); what was typed and the undo history go.
    void reload();

    // The calibration was changed: the distances and consumptions are corrected anew.
    void setCalibration(Calibration calibration);

    // Where rows are typed but not saved, shows the window and asks whether they may go;
    // true when there are none, or the answer lets them go.
    bool mayDropUnsavedRows();

    enum class Command { Add, Remove, UseInCalculator, Close };
    void runCommand(Command command);

protected:
    void layOut() override;
    void closeCommand() override { runCommand(Command::Close); }
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Asks first where rows are typed but not saved; No keeps the window open.
    void closeEvent(QCloseEvent *event) override;

private:
    friend class LogChange;
    // Saves the log and shows it; false (after saying why) where it could not be saved.
    bool commit(const QList<FillUp> &log, const QString &what);
    bool applyLog(const QList<FillUp> &log);
    void showCurrentRow();
    void showAverage();
    void showCurve();
    void showCalibrationNote();

    TripFields &m_trip;
    FillUpLogSetup m_setup;
    FillUpTableModel *m_model = nullptr;
    QUndoStack *m_undo = nullptr;
    QLabel *m_readOnlyNote = nullptr;
    QLabel *m_calibrationNote = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_rowState = nullptr;
    QLabel *m_average = nullptr;
    ChartCanvas *m_curve = nullptr;
    QString m_saved; // what the row state says after a save
};

} // namespace tankeli
