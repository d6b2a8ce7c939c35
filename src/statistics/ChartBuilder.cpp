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
    const auto xOf = [step](int j) { return static_cast<float>(step * j); };
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
             series.size() == 1 ? QStringLiteral("1 matka") : QStringLiteral("%1 matkaa").arg(series.size()),
             valueOf(lowest), valueOf(highest));
}

} // namespace tankeli
