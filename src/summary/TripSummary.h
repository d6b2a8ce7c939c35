#pragma once
// The summary of all saved trips: how many, the totals, the averages, the trips of the
// lowest and highest consumption, and the totals of each month and year. Knows nothing
// of windows: a window shows summaryLines(), periodCells() under periodColumns() and
// summaryNotes(), and copies summaryText().

#include "TripRecords.h"
#include "calculator/Energy.h"

#include <QStringList>

namespace tankeli {

// An average over the trips that hold both of its values: absent where no trip does.
// A figure that is not finite (a sum or a quotient beyond the double range) is too large
// to show; it reads "liian suuri" and the summary's notes name it.
using Average = std::optional<double>;

struct TripTotals
{
    int trips = 0;
    double distance = 0; // km, each trip's true distance (see summarizeStore)
    double litres = 0;   // l
    double cost = 0;     // €, the sum of the trip prices
    bool operator==(const TripTotals &) const = default;
};

// The totals of one month (1 to 12) of a year, of the whole year (month 0), or of
// every trip whose name is not a date (year 0: "Muut").
struct SummaryPeriod
{
    int year = 0;
    int month = 0;
    TripTotals totals;
    Average averageConsumption; // l/100 km
};

struct ConsumptionTrip
{
    QString name;
    double consumption = 0; // l/100 km, the record's own consumption line
};

struct TripSummary
{
    QString listProblem; // the folder could not be read; nothing else is filled
    Energy energy = Energy::Petrol; // of the vehicle: the units the summary is told in
    TripTotals totals;
    // Each average divides two totals taken over the trips that hold both values with a
    // divisor above 0.
    Average averageConsumption; // l/100 km
    Average averagePrice;       // €/l
    Average pricePerKilometre;  // €/km
    // Among the trips whose consumption line holds a number above 0; the first of equals.
    std::optional<ConsumptionTrip> lowestConsumption;
    std::optional<ConsumptionTrip> highestConsumption;
    // In time order, each year's months before the year's own row; "Muut" last.
    QList<SummaryPeriod> periods;
    // How many trips count the distance worked out from their litres and consumption
    // rather than the one saved.
    int distancesWorkedOut = 0;
    // Records that could not be read, or hold a value that is not a number, in list order.
    QList<LeftOutTrip> leftOut;
};

// Reads every listed record (readTrips) and summarizes them.
//
// An empty line is a value left out of that quantity only: a trip saved without its
// litres still counts in the trips, the distance and the cost. A line whose text is not
// a number leaves the whole record out, so that every total counts the same trips.
//
// A trip calculated with the calibration on is saved with the speedometer's distance and
// the litres of the true one. Its true distance is litres × 100 / consumption wherever
// both are above 0; the kilometres, the averages and the price per kilometre count that.
// Where the saved distance agrees with it to the digits saved, the saved one is kept, so
// that a trip calculated without the calibration counts exactly what it shows.
TripSummary summarizeStore(const RecordStore &store, Energy energy = Energy::Petrol);

// One figure of the summary as the window shows it and a spreadsheet takes it.
struct SummaryLine
{
    QString caption; // "Keskikulutus"
    QString number;  // "6,82"; "–" where absent; "liian suuri"
    QString unit;    // "l/100 km"; empty for a count
    QString trip;    // the trip of an extreme, else empty
    // "6,82 l/100 km", "6 l/100 km (matka.sav)"; "–" and "liian suuri" without the unit.
    QString shown() const;
    bool operator==(const SummaryLine &) const = default;
};

// "Matkoja", the totals, the averages and the extremes. Kilometres, litres and the
// extremes are in the program's number form (doubleToText); euros have two decimals;
// the averages are rounded for reading: l/100 km and €/l to two decimals, €/km to three.
QList<SummaryLine> summaryLines(const TripSummary &summary);
// The month table's column captions, units in brackets: "Kausi", "Matkoja",
// "Matka (km)", "Polttoaine (l)", "Kustannukset (€)", "l/100 km".
QStringList periodColumns(Energy energy = Energy::Petrol);
// The period ("Maaliskuu 2024", "Vuosi 2024", "Muut"), trips, km, litres, cost and the
// average consumption, each number written as in summaryLines without its unit.
QStringList periodCells(const SummaryPeriod &period);
// What the window says under the tables, one paragraph each: the distances worked out
// from litres and consumption, the figures too large to show, the trips left out.
QStringList summaryNotes(const TripSummary &summary);
// The whole summary as tab-separated text for a spreadsheet: each figure's caption (its
// unit in brackets), number and trip, an empty line, then the month table with its
// captions. Numbers are written as shown, so a spreadsheet in Finnish takes them as
// numbers. Lines end in LF.
QString summaryText(const TripSummary &summary);
// The average consumption as the calculator's consumption field takes it: the figure
// shown, in the program's number form ("6,8" for 6,80); nullopt where it is absent or
// beyond what the calculator holds.
std::optional<QString> consumptionForCalculator(const TripSummary &summary);

// A figure rounded for reading: this many decimals, a decimal comma, no group separators,
// never "-0,00"; the program's number form at 1E+15 and beyond; "liian suuri" where it
// is not finite.
QString roundedText(double value, int decimals);

} // namespace tankeli
