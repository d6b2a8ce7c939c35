#pragma once
// The vehicle menu's fill-up commands. Each asks for a file in the file dialog, does its
// work through the core and tells the outcome in one message.

#include "calculator/Energy.h"
#include "calculator/TripCalculation.h"

#include <QDate>
#include <QString>

class QWidget;

namespace tankeli {

// The fill-up log's commands in the vehicle menu.
enum class FillUpCommand { Show, Import, Export };

// "Tuo tankkaukset…": reads another program's export (or Tankeli's own log), shows what
// it found in one question ("Tuo" imports, "Peruuta" leaves the log as it was), and adds
// the fill-ups the log does not hold yet. True when the log changed; a fill-up window
// open on the same log should then read it again (FillUpWindow::reload).
bool importFillUps(QWidget *parent, const QString &logPath, Energy energy, QDate today = QDate::currentDate());

// "Vie tankkaukset…": the log as a spreadsheet (tankeli-tankkaukset.csv in the documents
// folder by default): the log file's own format with the worked columns Ajettu and
// Kulutus after it, which "Tuo tankkaukset…" reads back.
void exportFillUps(QWidget *parent, const QString &logPath, Energy energy, const Calibration &calibration);

} // namespace tankeli
