#pragma once
// The summary window (Yhteenveto): how many trips, their totals and averages, the trips
// of the lowest and highest consumption, a table by month and year, and the trips left
// out with why. It reads every record again each time it is shown. "Käytä laskimessa"
// puts the average consumption in the main window, ready for a distance; Sulje, Escape
// and S hide it; the close box destroys it.

#include "look/SecondaryWindow.h"

#include <QString>
#include <array>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace tankeli {

class TripFields;

class SummaryWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    SummaryWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip);

    Done Form_Load();
    // 0: Käytä laskimessa, 1: Sulje.
    void Nappi_Komento(int index);
    // Reads every listed record and shows what they sum to.
    void refresh();

protected:
    void layOut() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TripFields &m_trip;
    std::array<QLabel *, 9> m_labels{};
    std::array<QLabel *, 9> m_values{};
    std::array<QString, 9> m_valueTexts;
    QLabel *m_heading = nullptr;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_leftOut = nullptr;
    std::optional<double> m_averageConsumption;
};

} // namespace tankeli
