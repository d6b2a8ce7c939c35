#include "TripSummary.h"

#include "base/FailureText.h"
#include "calculator/NumberText.h"
#include "calculator/TripQuantities.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tankeli {
namespace {

using TripNumbers = std::array<std::optional<double>, RecordLineCount>;

// Two totals whose quotient is an average, over the trips that hold both values.
struct RatioSums
{
    double dividend = 0;
    double divisor = 0;

    void add(const std::optional<double> &top, const std::optional<double> &bottom)
    {
        if (top && bottom && *bottom > 0) {
            dividend += *top;
            divisor += *bottom;
        }
    }
    std::optional<double> ratio(double scale) const
    {
        if (divisor <= 0)
            return std::nullopt;
        const double value = dividend / divisor * scale;
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }
};

void addTo(TripTotals &totals, const TripNumbers &numbers)
{
    ++totals.trips;
    totals.distance += numbers[RecDistance].value_or(0);
    totals.litres += numbers[RecLitres].value_or(0);
    totals.cost += numbers[RecTripPrice].value_or(0);
}

// The caption of the main window's row that a record line is saved from.
QString captionOfLine(int line)
{
    for (const TripQuantity &row : tripRows())
        if (row.recordLine == line)
            return row.caption;
    return {};
}

// The record's numbers, or why it is left out: the first value that is not a number.
std::optional<QString> readNumbers(const ReadTrip &trip, TripNumbers &numbers)
{
    for (int line = 0; line < RecordLineCount; ++line) {
        const QString &text = (*trip.values)[line];
        if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); }))
            continue;
        numbers[line] = textToDouble(text);
        if (!numbers[line])
            return QStringLiteral("Tiedoston %1 rivillä %2 (%3) on \"%4\", joka ei ole luku.")
                .arg(elideMiddle(trip.name)).arg(line + 1).arg(captionOfLine(line), elideMiddle(text));
    }
    return std::nullopt;
}

const std::array<QString, 13> monthNames{
    QStringLiteral("Vuosi"), QStringLiteral("Tammikuu"), QStringLiteral("Helmikuu"),
    QStringLiteral("Maaliskuu"), QStringLiteral("Huhtikuu"), QStringLiteral("Toukokuu"),
    QStringLiteral("Kesäkuu"), QStringLiteral("Heinäkuu"), QStringLiteral("Elokuu"),
    QStringLiteral("Syyskuu"), QStringLiteral("Lokakuu"), QStringLiteral("Marraskuu"),
    QStringLiteral("Joulukuu")};

QString consumptionText(const std::optional<ConsumptionTrip> &trip)
{
    return trip ? doubleToText(trip->consumption) + QStringLiteral(" l/100 km (%1)").arg(trip->name)
                : QStringLiteral("–");
}

QString optionalText(const std::optional<double> &value, const QString &unit)
{
    return value ? doubleToText(*value) + unit : QStringLiteral("–");
}

// The summary while its trips are added one at a time, in list order.
class Summing
{
public:
    void add(const ReadTrip &trip);
    TripSummary finish();

private:
    TripSummary m_summary;
    RatioSums m_consumption;
    RatioSums m_price;
    RatioSums m_perKilometre;
    // Index 0 is the year's own row, 1 to 12 its months.
    std::map<int, std::array<TripTotals, 13>> m_years;
    TripTotals m_others;
};

void Summing::add(const ReadTrip &trip)
{
    TripNumbers numbers;
    const std::optional<QString> problem = trip.values ? readNumbers(trip, numbers) : trip.problem;
    if (problem) {
        m_summary.leftOut.append({trip.name, *problem});
        return;
    }
    addTo(m_summary.totals, numbers);
    if (const std::optional<QDate> date = dateOfRecordName(trip.name)) {
        auto &year = m_years[date->year()];
        addTo(year[0], numbers);
        addTo(year[date->month()], numbers);
    } else {
        addTo(m_others, numbers);
    }
    m_consumption.add(numbers[RecLitres], numbers[RecDistance]);
    m_price.add(numbers[RecTripPrice], numbers[RecLitres]);
    m_perKilometre.add(numbers[RecTripPrice], numbers[RecDistance]);
    const std::optional<double> own = numbers[RecConsumption];
    if (own && *own > 0) {
        if (!m_summary.lowestConsumption || *own < m_summary.lowestConsumption->consumption)
            m_summary.lowestConsumption = ConsumptionTrip{trip.name, *own};
        if (!m_summary.highestConsumption || *own > m_summary.highestConsumption->consumption)
            m_summary.highestConsumption = ConsumptionTrip{trip.name, *own};
    }
}

TripSummary Summing::finish()
{
    m_summary.averageConsumption = m_consumption.ratio(100);
    m_summary.averagePrice = m_price.ratio(1);
    m_summary.pricePerKilometre = m_perKilometre.ratio(1);
    for (const auto &[year, months] : m_years) {
        for (int month = 1; month <= 12; ++month)
            if (months[month].trips > 0)
                m_summary.periods.append({year, month, months[month]});
        m_summary.periods.append({year, 0, months[0]});
    }
    if (m_others.trips > 0)
        m_summary.periods.append({0, 0, m_others});
    return m_summary;
}

} // namespace

TripSummary summarizeTrips(const QList<ReadTrip> &trips)
{
    Summing summing;
    for (const ReadTrip &trip : trips)
        summing.add(trip);
    return summing.finish();
}

TripSummary summarizeStore(const RecordStore &store)
{
    const Outcome<QList<ReadTrip>> trips = readTrips(store);
    if (!trips) {
        TripSummary summary;
        summary.listProblem = trips.error();
        return summary;
    }
    return summarizeTrips(*trips);
}

QString moneyText(double euros)
{
    QString text = QString::number(euros, 'f', 2);
    // A loss of a fraction of a cent reads 0,00 €, not -0,00 €.
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral(" €");
}

QList<SummaryLine> summaryLines(const TripSummary &summary)
{
    const TripTotals &totals = summary.totals;
    return {
        {QStringLiteral("Matkoja"), QString::number(totals.trips)},
        {QStringLiteral("Matkat yhteensä"), doubleToText(totals.distance) + QStringLiteral(" km")},
        {QStringLiteral("Polttoainetta yhteensä"), doubleToText(totals.litres) + QStringLiteral(" l")},
        {QStringLiteral("Kustannukset yhteensä"), moneyText(totals.cost)},
        {QStringLiteral("Keskikulutus"), optionalText(summary.averageConsumption, QStringLiteral(" l/100 km"))},
        {QStringLiteral("Keskihinta"), optionalText(summary.averagePrice, QStringLiteral(" €/l"))},
        {QStringLiteral("Kilometrihinta"), optionalText(summary.pricePerKilometre, QStringLiteral(" €/km"))},
        {QStringLiteral("Pienin kulutus"), consumptionText(summary.lowestConsumption)},
        {QStringLiteral("Suurin kulutus"), consumptionText(summary.highestConsumption)},
    };
}

QStringList periodCells(const SummaryPeriod &period)
{
    const TripTotals &totals = period.totals;
    const QString label = period.year == 0
        ? QStringLiteral("Muut")
        : monthNames[period.month] + QLatin1Char(' ') + QString::number(period.year);
    return {label, QString::number(totals.trips), doubleToText(totals.distance) + QStringLiteral(" km"),
            doubleToText(totals.litres) + QStringLiteral(" l"), moneyText(totals.cost)};
}

} // namespace tankeli
