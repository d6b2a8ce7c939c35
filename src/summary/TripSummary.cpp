#include "TripSummary.h"

#include "SummaryFigures.h"

#include "base/FailureText.h"
#include "calculator/NumberText.h"
#include "calculator/TripQuantities.h"

#include <algorithm>
#include <cmath>

namespace tankeli {
namespace {

using TripNumbers = std::array<std::optional<double>, RecordLineCount>;

// Saved values keep 7 significant digits, each off by at most half a unit in the last;
// a distance worked out from two of them agrees with the saved one to about 2e-6. A
// calibration margin under 0,001 % (1 m in 100 km) is not told apart from none.
constexpr double savedDigitsAgreement = 1e-5;

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

// Puts the trip's true distance in place of the saved one; true where they differ.
bool putTrueDistance(TripNumbers &numbers)
{
    const std::optional<double> litres = numbers[RecLitres];
    const std::optional<double> consumption = numbers[RecConsumption];
    if (!litres || !consumption || *litres <= 0 || *consumption <= 0)
        return false;
    const double trueDistance = *litres * 100 / *consumption;
    const std::optional<double> saved = numbers[RecDistance];
    if (saved && std::isfinite(trueDistance) && std::abs(trueDistance - *saved) <= trueDistance * savedDigitsAgreement)
        return false;
    numbers[RecDistance] = trueDistance;
    return true;
}

SummaryLine extremeLine(const QString &caption, const std::optional<ConsumptionTrip> &trip, Energy energy)
{
    if (!trip)
        return {caption, absentText, consumptionUnit(energy), {}};
    return {caption, doubleToText(trip->consumption), consumptionUnit(energy), trip->name};
}

// The summary while its trips are added one at a time, in list order.
class Summing
{
public:
    void add(const ReadTrip &trip);
    TripSummary finish();

private:
    TripSummary m_summary;
    PeriodSums m_all;
    RatioSums m_price;
    RatioSums m_perKilometre;
    PeriodTable m_periods;
};

void Summing::add(const ReadTrip &trip)
{
    TripNumbers numbers;
    const std::optional<QString> problem = trip.values ? readNumbers(trip, numbers) : trip.problem;
    if (problem) {
        m_summary.leftOut.append({trip.name, *problem});
        return;
    }
    if (putTrueDistance(numbers))
        ++m_summary.distancesWorkedOut;
    const PeriodShare share{numbers[RecDistance].value_or(0), numbers[RecLitres].value_or(0),
                            numbers[RecTripPrice].value_or(0), numbers[RecLitres], numbers[RecDistance]};
    m_all.add(share);
    m_periods.add(dateOfRecordName(trip.name), share);
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
    m_summary.totals = m_all.totals;
    m_summary.averageConsumption = m_all.consumption.ratio(100);
    m_summary.averagePrice = m_price.ratio(1);
    m_summary.pricePerKilometre = m_perKilometre.ratio(1);
    m_summary.periods = m_periods.periods();
    return m_summary;
}

} // namespace

TripSummary summarizeStore(const RecordStore &store, Energy energy)
{
    const Outcome<QList<ReadTrip>> trips = readTrips(store);
    if (!trips) {
        TripSummary summary;
        summary.listProblem = trips.error();
        summary.energy = energy;
        return summary;
    }
    Summing summing;
    for (const ReadTrip &trip : *trips)
        summing.add(trip);
    TripSummary summary = summing.finish();
    summary.energy = energy;
    return summary;
}

QString SummaryLine::shown() const
{
    if (number == absentText || number == tooLargeText)
        return number;
    QString text = number;
    if (!unit.isEmpty())
        text += QLatin1Char(' ') + unit;
    if (!trip.isEmpty())
        text += QStringLiteral(" (%1)").arg(trip);
    return text;
}

QList<SummaryLine> summaryLines(const TripSummary &summary)
{
    const TripTotals &totals = summary.totals;
    const Energy energy = summary.energy;
    const QString amount = energyWords(energy).amountSymbol;
    const QString used = usedPartitive(energy);
    return {
        {QStringLiteral("Matkoja"), QString::number(totals.trips), {}, {}},
        {QStringLiteral("Matkat yhteensä"), numberText(totals.distance), QStringLiteral("km"), {}},
        {used + QStringLiteral(" yhteensä"), numberText(totals.litres), amount, {}},
        {QStringLiteral("Kustannukset yhteensä"), roundedText(totals.cost, 2), QStringLiteral("€"), {}},
        {QStringLiteral("Keskikulutus"), averageText(summary.averageConsumption, 2), consumptionUnit(energy), {}},
        {QStringLiteral("Keskihinta"), averageText(summary.averagePrice, 2), QStringLiteral("€/") + amount, {}},
        {QStringLiteral("Kilometrihinta"), averageText(summary.pricePerKilometre, 3), QStringLiteral("€/km"), {}},
        extremeLine(QStringLiteral("Pienin kulutus"), summary.lowestConsumption, energy),
        extremeLine(QStringLiteral("Suurin kulutus"), summary.highestConsumption, energy),
    };
}

QStringList periodColumns(Energy energy)
{
    return periodColumnsWith(QStringLiteral("Matkoja"), QStringLiteral("Matka"), energy);
}

QStringList summaryNotes(const TripSummary &summary)
{
    QStringList notes;
    if (summary.distancesWorkedOut > 0)
        notes << QStringLiteral("Kilometreissä, keskiarvoissa ja kilometrihinnassa %1 matkan pituus on laskettu "
                                "litroista ja kulutuksesta (litrat × 100 / kulutus), koska tallennettu matka puuttuu "
                                "tai ei vastaa niitä. Kalibrointi käytössä laskettu matka tallentuu nopeusmittarin "
                                "lukemana.").arg(summary.distancesWorkedOut);
    const QStringList tooLargeOnes = tooLargeFigures(summaryLines(summary), summary.periods, periodColumns(summary.energy));
    if (!tooLargeOnes.isEmpty())
        notes << QStringLiteral("Liian suuri näytettäväksi: %1. Jossakin matkassa on mahdottoman suuri arvo; "
                                "tarkista matkat.").arg(tooLargeOnes.join(QStringLiteral(", ")));
    if (!summary.leftOut.isEmpty()) {
        QStringList leftOut{summary.leftOut.size() == 1
                                ? QStringLiteral("1 matka jätettiin laskuista pois:")
                                : QStringLiteral("%1 matkaa jätettiin laskuista pois:").arg(summary.leftOut.size())};
        for (const LeftOutTrip &trip : summary.leftOut)
            leftOut << trip.name + QStringLiteral(": ") + trip.reason;
        notes << leftOut.join(QLatin1Char('\n'));
    }
    return notes;
}

QString summaryText(const TripSummary &summary)
{
    return tableText(summaryLines(summary), periodColumns(summary.energy), summary.periods);
}

std::optional<QString> consumptionForCalculator(const TripSummary &summary)
{
    if (!summary.averageConsumption)
        return std::nullopt;
    const std::optional<float> value = textToSingle(averageText(summary.averageConsumption, 2));
    if (!value)
        return std::nullopt;
    return singleToText(*value);
}

} // namespace tankeli
