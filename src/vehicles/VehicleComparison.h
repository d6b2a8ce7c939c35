#pragma once
// One trip's cost side by side for every vehicle of the household: for the distance typed
// in the main window, each vehicle's consumption, price, trip, month and year price,
// worked out as the calculator would with that vehicle's own settings and calibration,
// cheapest first.

#include "Garage.h"
#include "calculator/Energy.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tankeli {

// Where the consumption a vehicle is compared with comes from, best first.
// FillUps: the average measured from full tank to full tank in the vehicle's fill-up log.
enum class ConsumptionSource { FillUps, Trips, LastCalculated, None };

struct ComparedVehicle
{
    QString name;
    Energy energy = Energy::Petrol;
    std::optional<double> consumption; // per 100 km, in the energy's own unit
    ConsumptionSource source = ConsumptionSource::None;
    QString price;                     // as the vehicle's settings hold it
    std::optional<double> tripPrice;   // €
    std::optional<double> monthPrice;  // €, driven every day
    std::optional<double> yearPrice;
    QString problem; // why there are no prices, where there is a reason to tell
};

inline const QString comparisonNeedsDistance =
    QStringLiteral("Kirjoita ensin matkan pituus pääikkunan Matka-kenttään, niin ajoneuvoja voidaan verrata.");

// Every vehicle of the garage for this distance text; the chosen vehicle with the settings
// the main window holds now (a price typed but not yet saved), the others with their own
// saved settings. A distance that is not a number above zero is the failure above.
Outcome<QList<ComparedVehicle>> compareVehicles(const Garage &garage, const QString &distance,
                                                const Settings &chosenSettings);

// The column headers and each vehicle's cells as the window shows and copies them: money
// with two decimals, the consumption in the program's number form with its unit, "–" where
// there is nothing to show.
QStringList comparisonHeader();
QStringList comparisonCells(const ComparedVehicle &vehicle);

} // namespace tankeli
