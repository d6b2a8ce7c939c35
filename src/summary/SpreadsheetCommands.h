#pragma once
// The file menu's spreadsheet commands. Each asks for a file in the file dialog, does its
// work through the core, and tells the outcome in one message: how many trips, and every
// trip or row that could not be taken, with why.

#include "calculator/Energy.h"

class QWidget;

namespace tankeli {

class ProgramFolders;

// "Vie taulukkoon…": every listed trip into a CSV file (tankeli-matkat.csv in the
// documents folder by default).
void exportTripsToSpreadsheet(QWidget *parent, const ProgramFolders &folders, Energy energy = Energy::Petrol);
// "Tuo taulukosta…": each row of a CSV file as a trip; one question when some of them are
// saved already ("Ei" keeps those and imports the rest).
void importTripsFromSpreadsheet(QWidget *parent, const ProgramFolders &folders, Energy energy = Energy::Petrol);

} // namespace tankeli
