#include "SummaryFigures.h"

#include "calculator/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tankeli {
namespace {

const std::array<QString, 13> monthNames{
    QStringLiteral("Vuosi"), QStringLiteral("Tammikuu"), QStringLiteral("Helmikuu"),
    QStringLiteral("Maaliskuu"), QStringLiteral("Huhtikuu"), QStringLiteral("Toukokuu"),
    QStringLiteral("Kesäkuu"), QStringLiteral("Heinäkuu"), QStringLiteral("Elokuu"),
    QStringLiteral("Syyskuu"), QStringLiteral("Lokakuu"), QStringLiteral("Marraskuu"),
    QStringLiteral("Joulukuu")};

// A cell of a spreadsheet row: a tab or a line break in a name would split it.
QString cellText(QString text)
{
    for (QChar &c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

} // namespace

void RatioSums::add(const std::optional<double> &top, const std::optional<double> &bottom)
{
    if (top && bottom && *bottom > 0) {
        dividend += *top;
        divisor += *bottom;
    }
}

Average RatioSums::ratio(double scale) const
{
    if (divisor <= 0)
        return std::nullopt;
    // A sum beyond the double range makes the quotient meaningless, not 0.
    if (!std::isfinite(dividend) || !std::isfinite(divisor))
        return std::numeric_limits<double>::infinity();
    return dividend / divisor * scale;
}

void PeriodSums::add(const PeriodShare &share)
{
    ++totals.trips;
    totals.distance += share.distance;
    totals.litres += share.amount;
    totals.cost += share.cost;
    consumption.add(share.consumedAmount, share.consumedDistance);
}

SummaryPeriod PeriodSums::period(int year, int month) const
{
    return {year, month, totals, consumption.ratio(100)};
}

void PeriodTable::add(const std::optional<QDate> &date, const PeriodShare &share)
{
    if (!date) {
        m_others.add(share);
        return;
    }
    auto &year = m_years[date->year()];
    year[0].add(share);
    year[date->month()].add(share);
}

QList<SummaryPeriod> PeriodTable::periods() const
{
    QList<SummaryPeriod> periods;
    for (const auto &[year, months] : m_years) {
        for (int month = 1; month <= 12; ++month)
            if (months[month].totals.trips > 0)
                periods.append(months[month].period(year, month));
        periods.append(months[0].period(year, 0));
    }
    if (m_others.totals.trips > 0)
        periods.append(m_others.period(0, 0));
    return periods;
}

QString numberText(double value)
{
    return std::isfinite(value) ? doubleToText(value) : tooLargeText;
}

QString averageText(const Average &value, int decimals)
{
    return value ? roundedText(*value, decimals) : absentText;
}

QString consumptionUnit(Energy energy)
{
    return energyWords(energy).amountSymbol + QStringLiteral("/100 km");
}

QString usedWord(Energy energy)
{
    return energy == Energy::Electricity ? QStringLiteral("Sähkö") : energy == Energy::Gas ? QStringLiteral("Kaasu")
                                                                                         : QStringLiteral("Polttoaine");
}

QString usedPartitive(Energy energy)
{
    return energy == Energy::Electricity ? QStringLiteral("Sähköä") : energy == Energy::Gas ? QStringLiteral("Kaasua")
                                                                                          : QStringLiteral("Polttoainetta");
}

QStringList periodColumnsWith(const QString &countCaption, const QString &kmCaption, Energy energy)
{
    return {QStringLiteral("Kausi"), countCaption, kmCaption + QStringLiteral(" (km)"),
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

QStringList tooLargeFigures(const QList<SummaryLine> &lines, const QList<SummaryPeriod> &periods,
                            const QStringList &columns)
{
    QStringList named;
    for (const SummaryLine &line : lines)
        if (line.number == tooLargeText)
            named << line.caption;
    for (int c = 1; c < columns.size(); ++c)
        if (std::any_of(periods.cbegin(), periods.cend(),
                        [c](const SummaryPeriod &p) { return periodCells(p)[c] == tooLargeText; }))
            named << QStringLiteral("taulukon sarake %1").arg(columns[c]);
    return named;
}

QString tableText(const QList<SummaryLine> &lines, const QStringList &columns, const QList<SummaryPeriod> &periods)
{
    QStringList rows;
    for (const SummaryLine &line : lines) {
        QStringList cells{line.unit.isEmpty() ? line.caption : QStringLiteral("%1 (%2)").arg(line.caption, line.unit),
                          line.number};
        if (!line.trip.isEmpty())
            cells << cellText(line.trip);
        rows << cells.join(QLatin1Char('\t'));
    }
    rows << QString() << columns.join(QLatin1Char('\t'));
    for (const SummaryPeriod &period : periods)
        rows << periodCells(period).join(QLatin1Char('\t'));
    return rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString roundedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return tooLargeText;
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
