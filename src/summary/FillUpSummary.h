#pragma once
// The summary of a vehicle's fill-up log (Tankkaukset): how many fill-ups, the distance
// from the first to the last, what they took and cost, the consumption measured over
// whole chains from one full tank to the next, and the same by month and year. The
// summary window shows it under the trips' summary wherever the log holds a fill-up.

#include "TripSummary.h"
#include "fillups/FillUpLog.h"

namespace tankeli {

struct FillUpSummary
{
    QString problem;                // why the log could not be read whole, else empty
    Energy energy = Energy::Petrol;
    bool corrected = false;         // the distances corrected by the calibration
    // trips counts the fill-ups; distance the kilometres from the first to the last.
    TripTotals totals;
    Average averageConsumption;     // whole chains' amount over their distance, per 100 km
    Average averagePrice;           // € over the amount of every fill-up
    Average pricePerKilometre;      // whole chains' euros over their distance
    // By the fill-ups' dates: the kilometres driven to them, their amounts and euros, and
    // the consumption of the chains they close.
    QList<SummaryPeriod> periods;

    bool shown() const { return totals.trips > 0 || !problem.isEmpty(); }
};

FillUpSummary summarizeFillUps(const LogReading &log, Energy energy, const Calibration &calibration);

// "Tankkauksia", "Ajettu yhteensä" … "Kilometrihinta", as the trips' summaryLines.
QList<SummaryLine> fillUpSummaryLines(const FillUpSummary &summary);
// "Kausi", "Tankkauksia", "Ajettu (km)", what is used (its unit), "Kustannukset (€)", the
// consumption's unit.
QStringList fillUpPeriodColumns(Energy energy);
// The calibration's correction, the figures too large to show, why the log is unreadable.
QStringList fillUpSummaryNotes(const FillUpSummary &summary);
// The part as the copied summary ends: a heading line "Tankkaukset", then as summaryText.
QString fillUpSummaryText(const FillUpSummary &summary);
} // namespace tankeli
