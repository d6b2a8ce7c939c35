#pragma once
// The summary of all saved trips: how many, the totals, the averages, the trips of the
// lowest and highest consumption, and the totals of each month and year. Knows nothing
// of windows: a window shows summaryLines() and one periodCells() row per period.

#include "TripRecords.h"

#include <QStringList>

namespace tankeli {

struct TripTotals
{
    int trips = 0;
    double distance = 0; // km
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
};

struct ConsumptionTrip
{
    QString name;
    double consumption = 0; // l/100 km, the record's own consumption line
};

struct TripSummary
{
    QString listProblem; // the folder could not be read; nothing else is filled
    TripTotals totals;
    // Each average divides two totals taken over the trips that hold both values with a
    // divisor above 0; absent where no trip does.
    std::optional<double> averageConsumption; // l/100 km
    std::optional<double> averagePrice;       // €/l
    std::optional<double> pricePerKilometre;  // €/km
    // Among the trips whose consumption line holds a number above 0; the first of equals.
    std::optional<ConsumptionTrip> lowestConsumption;
    std::optional<ConsumptionTrip> highestConsumption;
    // In time order, each year's months before the year's own row; "Muut" last.
    QList<SummaryPeriod> periods;
    // Records that could not be read, or hold a value that is not a number, in list order.
    QList<LeftOutTrip> leftOut;
};

// An empty line is a value left out of that quantity only: a trip saved without its
// litres still counts in the trips, the distance and the cost. A line whose text is not
// a number leaves the whole record out, so that every total counts the same trips.
TripSummary summarizeTrips(const QList<ReadTrip> &trips);
// Reads every listed record and summarizes them.
TripSummary summarizeStore(const RecordStore &store);

struct SummaryLine
{
    QString label;
    QString value;
    bool operator==(const SummaryLine &) const = default;
};

// "Matkoja", the totals, the averages and the extremes, each with its text and unit;
// an absent value reads "–". Sums of euros are money (moneyText); every other value, the
// euros per litre and per kilometre too, is in the program's number form (doubleToText).
QList<SummaryLine> summaryLines(const TripSummary &summary);
// The period ("Maaliskuu 2024", "Vuosi 2024", "Muut"), trips, km, litres and cost.
QStringList periodCells(const SummaryPeriod &period);
// An amount of money: two decimals, a decimal comma, no group separators: "12,30 €".
QString moneyText(double euros);

} // namespace tankeli
