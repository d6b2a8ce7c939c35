#pragma once
// The summary window (Yhteenveto): how many trips, their totals and averages, the trips
// of the lowest and highest consumption, a table by month and year, and a note of what
// the figures leave out or work out; under them the same of the vehicle's fill-up log
// where it holds any. It reads every record again each time it is shown.
// Qt layouts place it, scrolling inside where the screen is too low for it. "Käytä
// laskimessa" puts the average consumption in the main window, ready for a distance;
// Ctrl+C copies the whole summary for a spreadsheet; Sulje, Escape and S hide it; the
// close box destroys it.

#include "FillUpSummary.h"
#include "TripSummary.h"
#include "look/SecondaryWindow.h"

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace tankeli {

class TripFields;

class SummaryWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    // The picture buttons' indexes.
    enum class Command { UseInCalculator, Close };

    // energy: of the vehicle, whose units the summary is told in.
    SummaryWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip,
                  Energy energy = Energy::Petrol);

    Done Form_Load();
    void Nappi_Komento(Command command);
    // Reads every listed record and the fill-up log and shows what they sum to; the
    // calibration corrects the fill-ups' distances.
    void refresh(const Calibration &calibration);

protected:
    // Places the picture buttons under the layout; the layout places the rest.
    void layOut() override;
    void closeCommand() override { Nappi_Komento(Command::Close); }

private:
    void copySummary();

    TripFields &m_trip;
    Energy m_energy;
    QTableWidget *m_totals = nullptr;
    QTableWidget *m_periods = nullptr;
    QWidget *m_fillUpPart = nullptr;
    QTableWidget *m_fillUpTotals = nullptr;
    QTableWidget *m_fillUpPeriods = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    TripSummary m_summary;
    FillUpSummary m_fillUps;
};

} // namespace tankeli
