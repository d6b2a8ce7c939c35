#include "ChartBuilder.h"

#include "calculator/NumberText.h"
#include "base/Halving.h"

#include <array>
#include <cmath>

namespace tankeli {
namespace {

// Two decimals, halves to even, kept in single precision.
float roundToTwoDecimals(float value)
{
    return static_cast<float>(std::nearbyint(double(value) * 100.0) / 100.0);
}


// y of a value in single precision; nullopt on division by zero or overflow.
std::optional<float> yOf(float value, float q, float height)
{
    if (q == 0.0f)
        return std::nullopt;
    const float scaled = value / q;
    const float y = height - scaled;
    if (!std::isfinite(scaled) || !std::isfinite(y))
        return std::nullopt;
    return y;
}

void planCurve(ChartPlan &plan, float width, float height)
{
    const QVector<float> &s = plan.series;
    const int n = int(s.size()) - 1;
    float q = 0.0f;
    if (height == 0.0f || !std::isfinite(plan.scaleTop / height))
        plan.faults.append({ChartFault::Arithmetic, -1, 0, QStringLiteral("T / H")});
    else
        q = plan.scaleTop / height;
    const double step = double(width) / n;
    // Over dates, each point lies as far along as its day; on one day alone, evenly.
    const bool dated = !plan.days.isEmpty() && plan.days.constLast() > 0;
    const auto xOf = [&](int j) {
        return static_cast<float>(dated ? double(width) * plan.days[j] / plan.days.constLast() : step * j);
    };
    for (int j = 0; j <= n; ++j)
        if (const auto y = yOf(s[j], q, height))
            plan.points.append({j, xOf(j), *y});
    for (int k = 0; k < n; ++k) {
        const auto y1 = yOf(s[k], q, height);
        const auto y2 = yOf(s[k + 1], q, height);
        if (!y1 || !y2) {
            plan.faults.append({ChartFault::Arithmetic, k, 0, QStringLiteral("y")});
            continue;
        }
        plan.segments.append({xOf(k), *y1, xOf(k + 1), *y2});
    }
}

// The chart of one series; days place its points over time where given.
ChartPlan planSeries(const QVector<float> &series, const QStringList &names, const QVector<int> &days, int selector,
                     float width, float height, Energy energy)
{
    ChartPlan plan;
    if (series.size() < 2) {
        plan.tooFewRecords = true;
        return plan;
    }
    const ChartSelector &chosen = chartSelector(selector, energy);
    plan.selector = selector;
    plan.energy = energy;
    plan.series = series;
    plan.names = names;
    plan.days = days;

    // T rises to one above each value that exceeds it, in list order.
    for (const float value : plan.series)
        if (value > plan.scaleTop)
            plan.scaleTop = static_cast<float>(double(value) + 1.0);

    planCurve(plan, width, height);

    plan.title = {chosen.caption, float(halfOf(width) - chosen.caption.size()), 5.0f};
    plan.topLabel = {singleToText(roundToTwoDecimals(plan.scaleTop)) + chosen.unit, 2.0f, 2.0f};
    plan.middleLabel = {singleToText(roundToTwoDecimals(plan.scaleTop / 2)) + chosen.unit,
                        2.0f, float(halfOf(height))};
    plan.bottomLabel = {QStringLiteral("0") + chosen.unit, 2.0f, height - 20.0f};
    return plan;
}

} // namespace

// Reads every record into the five series, one fault per step that cannot complete.
// A line that cannot be read leaves the line buffer as it was, so the conversion that
// follows converts the previous line again: the order of faults and values rests on it.
// A line too long to hold is read to its end like any line, and does not convert.
ChartValues readChartValues(const QList<RecordEntry> &entries, const RecordReader &read)
{
    ChartValues result;
    auto &values = result.lines;
    auto &faults = result.faults;
    const int count = int(entries.size());
    for (auto &series : values)
        series.fill(0.0f, count);
    QString lineBuffer;
    for (int k = 0; k < count; ++k) {
        const RecordEntry &entry = entries[k];
        result.names.append(entry.name);
        const Outcome<RecordLines> record = read(entry);
        if (!record)
            faults.append({ChartFault::Open, k, 0, record.error()});
        for (int line = 0; line < RecordLineCount; ++line) {
            const LineReader::Line state = record ? record->state[line] : LineReader::Line::Missing;
            if (state == LineReader::Line::Text)
                lineBuffer = record->text[line];
            else if (state == LineReader::Line::TooLong)
                lineBuffer.clear();
            else
                faults.append({ChartFault::Read, k, line + 1, record.error()});
            if (const auto value = textToSingle(lineBuffer))
                values[line][k] = *value;
            else
                faults.append({ChartFault::Convert, k, line + 1, lineBuffer});
        }
    }
    return result;
}

const ChartSelector &chartSelector(int index, Energy energy)
{
    using Selectors = std::array<ChartSelector, chartSelectorCount>;
    static const std::array<Selectors, allEnergies.size()> selectors = [] {
        std::array<Selectors, allEnergies.size()> made;
        for (const Energy each : allEnergies)
            for (int i = 0; i < chartSelectorCount; ++i) {
                const TripQuantity &q = tripRows(each)[i];
                made[std::size_t(each)][i] = {q.caption, RecordLine(q.recordLine), q.chartUnit};
            }
        return made;
    }();
    static const ChartSelector none{QString(), RecordLineCount, QString()};
    return index >= 0 && index < chartSelectorCount ? selectors[std::size_t(energy)][index] : none;
}

ChartPlan buildChart(const Outcome<QList<RecordEntry>> &listed, const RecordReader &read, int selector,
                     float width, float height, Energy energy)
{
    ChartPlan plan;
    plan.listProblem = listed.error();
    plan.tooFewRecords = listed && listed->size() < 2;
    if (!listed || plan.tooFewRecords)
        return plan;
    const ChartValues values = readChartValues(*listed, read);
    const RecordLine line = chartSelector(selector).line;
    const QVector<float> series = line < RecordLineCount ? values.lines[line]
                                                         : QVector<float>(values.names.size(), 0.0f);
    plan = planChart(series, values.names, selector, width, height, energy);
    plan.faults = values.faults + plan.faults;
    return plan;
}

ChartPlan planChart(const QVector<float> &series, const QStringList &names, int selector,
                    float width, float height, Energy energy)
{
    return planSeries(series, names, {}, selector, width, height, energy);
}

ChartPlan planDatedChart(const QVector<float> &series, const QList<QDate> &dates, int selector,
                         float width, float height, Energy energy)
{
    QStringList names;
    QVector<int> days;
    for (const QDate &date : dates) {
        names << date.toString(Qt::ISODate);
        days << int(dates.constFirst().daysTo(date));
    }
    ChartPlan plan = planSeries(series, names, days, selector, width, height, energy);
    if (plan.tooFewRecords || days.constLast() <= 0)
        return plan;
    // Under the curve, clear of the value labels at the left edge: the first date above
    // "0", the middle one centred, the last one ending at the right edge.
    constexpr float dateWidth = 62; // an ISO date in the canvas's font
    const float bottom = height - 20.0f;
    const QDate middle = dates.constFirst().addDays(days.constLast() / 2);
    plan.dateLabels = {{names.constFirst(), 2.0f, bottom - 16.0f},
                       {middle.toString(Qt::ISODate), float(halfOf(width)) - dateWidth / 2, bottom},
                       {names.constLast(), width - dateWidth, bottom}};
    return plan;
}

ChartPlan replanChart(const ChartPlan &plan, float width, float height)
{
    if (plan.days.isEmpty())
        return planChart(plan.series, plan.names, plan.selector, width, height, plan.energy);
    QList<QDate> dates;
    for (const QString &name : plan.names)
        dates << QDate::fromString(name, Qt::ISODate);
    return planDatedChart(plan.series, dates, plan.selector, width, height, plan.energy);
}


QString chartValueText(float value, int selector)
{
    if (!chartSelector(selector).unit.contains(QChar(0x20AC))) // €
        return singleToText(value);
    QString text = QString::number(double(value), 'f', 2);
    // A fraction of a cent below zero reads 0,00, not -0,00.
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString chartDescription(const ChartPlan &plan)
{
    const QVector<float> &series = plan.series;
    if (series.isEmpty())
        return chartNotDrawnDescription;
    const ChartSelector &chosen = chartSelector(plan.selector, plan.energy);
    qsizetype lowest = 0;
    qsizetype highest = 0;
    for (qsizetype k = 1; k < series.size(); ++k) {
        if (series[k] < series[lowest])
            lowest = k;
        if (series[k] > series[highest])
            highest = k;
    }
    const auto valueOf = [&](qsizetype k) {
        return QStringLiteral("%1 %2 (%3)").arg(chartValueText(series[k], plan.selector), chosen.unit,
                                                plan.names.value(k));
    };
    return QStringLiteral("%1 (%2), %3: pienin %4, suurin %5.")
        .arg(chosen.caption, chosen.unit,
             plan.days.isEmpty() ? (series.size() == 1 ? QStringLiteral("1 matka") : QStringLiteral("%1 matkaa").arg(series.size()))
                                 : QStringLiteral("%1 tankkausväliä").arg(series.size()),
             valueOf(lowest), valueOf(highest));
}

} // namespace tankeli
