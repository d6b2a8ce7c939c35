#pragma once
// What the summaries of the trips and of the fill-ups share: sums whose quotient is an
// average, the table of months and years, and how their figures are written.

#include "TripSummary.h"

#include <QDate>
#include <array>
#include <map>

namespace tankeli {

inline const QString tooLargeText = QStringLiteral("liian suuri");
inline const QString absentText = QStringLiteral("–");

// Two totals whose quotient is an average, over the entries that hold both values.
struct RatioSums
{
    double dividend = 0;
    double divisor = 0;

    void add(const std::optional<double> &top, const std::optional<double> &bottom);
    Average ratio(double scale) const;
};

// One trip's or fill-up's share of its period's totals and average consumption.
struct PeriodShare
{
    double distance = 0;
    double amount = 0;
    double cost = 0;
    std::optional<double> consumedAmount;   // what the average consumption divides,
    std::optional<double> consumedDistance; // by this
};

struct PeriodSums
{
    TripTotals totals;
    RatioSums consumption;

    void add(const PeriodShare &share);
    SummaryPeriod period(int year, int month) const;
};

// The months and years of what is added, each year's months before the year's own row,
// and "Muut" (no date) last.
class PeriodTable
{
public:
    void add(const std::optional<QDate> &date, const PeriodShare &share);
    QList<SummaryPeriod> periods() const;

private:
    // Index 0 is the year's own row, 1 to 12 its months.
    std::map<int, std::array<PeriodSums, 13>> m_years;
    PeriodSums m_others;
};

// A sum in the program's number form; "liian suuri" where it is not finite.
QString numberText(double value);
// An average rounded to this many decimals; "–" where absent.
QString averageText(const Average &value, int decimals);
// "l/100 km", "kWh/100 km", "kg/100 km".
QString consumptionUnit(Energy energy);
// What the vehicle uses, as a column's caption: "Polttoaine", "Sähkö", "Kaasu".
QString usedWord(Energy energy);
// The same as a total's caption begins: "Polttoainetta", "Sähköä", "Kaasua".
QString usedPartitive(Energy energy);
// The captions of a month table: "Kausi", countCaption, kmCaption (km), what is used
// (its unit), "Kustannukset (€)" and the consumption's unit.
QStringList periodColumnsWith(const QString &countCaption, const QString &kmCaption, Energy energy);
// What shows "liian suuri": the figures' captions, then "taulukon sarake <caption>" for
// each column of the month table where a period does.
QStringList tooLargeFigures(const QList<SummaryLine> &lines, const QList<SummaryPeriod> &periods,
                            const QStringList &columns);
// The figures, then an empty line and the month table, as tab-separated lines ending in LF.
QString tableText(const QList<SummaryLine> &lines, const QStringList &columns, const QList<SummaryPeriod> &periods);

} // namespace tankeli
