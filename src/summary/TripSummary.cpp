#include "TripSummary.h"

#include "base/FailureText.h"
#include "calculator/NumberText.h"
#include "calculator/TripQuantities.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace tankeli {
namespace {

using TripNumbers = std::array<std::optional<double>, RecordLineCount>;

const QString tooLarge = QStringLiteral("liian suuri");
const QString absent = QStringLiteral("–");

// Saved values keep 7 significant digits, each off by at most half a unit in the last;
// a distance worked out from two of them agrees with the saved one to about 2e-6. A
// calibration margin under 0,001 % (1 m in 100 km) is not told apart from none.
constexpr double savedDigitsAgreement = 1e-5;

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
    Average ratio(double scale) const
    {
        if (divisor <= 0)
            return std::nullopt;
        // A sum beyond the double range makes the quotient meaningless, not 0.
        if (!std::isfinite(dividend) || !std::isfinite(divisor))
            return std::numeric_limits<double>::infinity();
        return dividend / divisor * scale;
    }
};

// The totals of one period and the sums of its average consumption.
struct PeriodSums
{
    TripTotals totals;
    RatioSums consumption;

    void add(const TripNumbers &numbers)
    {
        ++totals.trips;
        totals.distance += numbers[RecDistance].value_or(0);
        totals.litres += numbers[RecLitres].value_or(0);
        totals.cost += numbers[RecTripPrice].value_or(0);
        consumption.add(numbers[RecLitres], numbers[RecDistance]);
    }
};

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

const std::array<QString, 13> monthNames{
    QStringLiteral("Vuosi"), QStringLiteral("Tammikuu"), QStringLiteral("Helmikuu"),
    QStringLiteral("Maaliskuu"), QStringLiteral("Huhtikuu"), QStringLiteral("Toukokuu"),
    QStringLiteral("Kesäkuu"), QStringLiteral("Heinäkuu"), QStringLiteral("Elokuu"),
    QStringLiteral("Syyskuu"), QStringLiteral("Lokakuu"), QStringLiteral("Marraskuu"),
    QStringLiteral("Joulukuu")};

// A sum in the program's number form.
QString numberText(double value)
{
    return std::isfinite(value) ? doubleToText(value) : tooLarge;
}

// A figure rounded for reading to a fixed number of decimals, with a decimal comma and no
// group separators: "12,30", "0,094".
QString averageText(const Average &value, int decimals)
{
    return value ? roundedText(*value, decimals) : absent;
}

// "l/100 km", "kWh/100 km", "kg/100 km".
QString consumptionUnit(Energy energy)
{
    return energyWords(energy).amountSymbol + QStringLiteral("/100 km");
}

// What the vehicle uses, as a total's caption and a column's: "Polttoaine" for petrol and
// diesel.
QString usedWord(Energy energy)
{
    return energy == Energy::Electricity ? QStringLiteral("Sähkö") : energy == Energy::Gas ? QStringLiteral("Kaasu")
                                                                                         : QStringLiteral("Polttoaine");
}

SummaryLine extremeLine(const QString &caption, const std::optional<ConsumptionTrip> &trip, Energy energy)
{
    if (!trip)
        return {caption, absent, consumptionUnit(energy), {}};
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
    // Index 0 is the year's own row, 1 to 12 its months.
    std::map<int, std::array<PeriodSums, 13>> m_years;
    PeriodSums m_others;
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
    m_all.add(numbers);
    if (const std::optional<QDate> date = dateOfRecordName(trip.name)) {
        auto &year = m_years[date->year()];
        year[0].add(numbers);
        year[date->month()].add(numbers);
    } else {
        m_others.add(numbers);
    }
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
    const auto period = [](int year, int month, const PeriodSums &sums) {
        return SummaryPeriod{year, month, sums.totals, sums.consumption.ratio(100)};
    };
    for (const auto &[year, months] : m_years) {
        for (int month = 1; month <= 12; ++month)
            if (months[month].totals.trips > 0)
                m_summary.periods.append(period(year, month, months[month]));
        m_summary.periods.append(period(year, 0, months[0]));
    }
    if (m_others.totals.trips > 0)
        m_summary.periods.append(period(0, 0, m_others));
    return m_summary;
}

// A cell of a spreadsheet row: a tab or a line break in a name would split it.
QString cellText(QString text)
{
    for (QChar &c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
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
    if (number == absent || number == tooLarge)
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
    const QString used = energy == Energy::Electricity ? QStringLiteral("Sähköä")
        : energy == Energy::Gas                        ? QStringLiteral("Kaasua")
                                                       : QStringLiteral("Polttoainetta");
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
    return {QStringLiteral("Kausi"), QStringLiteral("Matkoja"), QStringLiteral("Matka (km)"),
            usedWord(energy) + QStringLiteral(" (") + energyWords(energy).amountSymbol + QLatin1Char(')'),
            QStringLiteral("Kustannukset (€)"), consumptionUnit(energy)};
}

QStringList periodCells(const SummaryPeriod &period)
{
    const TripTotals &totals = period.totals;
    const QString label = period.year == 0
        ? QStringLiteral("Muut")
        : monthNames[period.month] + QLatin1Char(' ') + QString::number(period.year);
    return {label, QString::number(totals.trips), numberText(totals.distance), numberText(totals.litres),
            roundedText(totals.cost, 2), averageText(period.averageConsumption, 2)};
}

QStringList summaryNotes(const TripSummary &summary)
{
    QStringList notes;
    if (summary.distancesWorkedOut > 0)
        notes << QStringLiteral("Kilometreissä, keskiarvoissa ja kilometrihinnassa %1 matkan pituus on laskettu "
                                "litroista ja kulutuksesta (litrat × 100 / kulutus), koska tallennettu matka puuttuu "
                                "tai ei vastaa niitä. Kalibrointi käytössä laskettu matka tallentuu nopeusmittarin "
                                "lukemana.").arg(summary.distancesWorkedOut);
    QStringList tooLargeOnes;
    for (const SummaryLine &line : summaryLines(summary))
        if (line.number == tooLarge)
            tooLargeOnes << line.caption;
    const QStringList columns = periodColumns(summary.energy);
    for (int c = 1; c < columns.size(); ++c)
        if (std::any_of(summary.periods.cbegin(), summary.periods.cend(),
                        [c](const SummaryPeriod &p) { return periodCells(p)[c] == tooLarge; }))
            tooLargeOnes << QStringLiteral("taulukon sarake %1").arg(columns[c]);
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
    QStringList rows;
    for (const SummaryLine &line : summaryLines(summary)) {
        QStringList cells{line.unit.isEmpty() ? line.caption : QStringLiteral("%1 (%2)").arg(line.caption, line.unit),
                          line.number};
        if (!line.trip.isEmpty())
            cells << cellText(line.trip);
        rows << cells.join(QLatin1Char('\t'));
    }
    rows << QString() << periodColumns(summary.energy).join(QLatin1Char('\t'));
    for (const SummaryPeriod &period : summary.periods)
        rows << periodCells(period).join(QLatin1Char('\t'));
    return rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
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

QString roundedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return tooLarge;
    // Beyond what double precision holds to the cent, a row of digits would only pretend
    // to be exact: the program's number form, "1E+20".
    if (std::abs(value) >= 1e15)
        return doubleToText(value);
    QString text = QString::number(value, 'f', decimals);
    // A loss of a fraction of a cent reads 0,00, not -0,00.
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2)
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace tankeli
