// The chart builder on arbitrary record contents: records separated by NUL bytes, the
// first two bytes choose the selector and the canvas height. Whatever the values, the
// plan holds at most one segment between neighbours and only finite positions.
#include "FuzzInput.h"

#include "statistics/ChartBuilder.h"

#include <cmath>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int selector = data[0] % 7 - 1; // also outside 0 to 4
    const float height = float(data[1]);
    const QList<QByteArray> records = fuzzBytes(data + 2, size - 2).split('\0');
    QStringList names;
    for (int i = 0; i < records.size(); ++i)
        names << QString::number(i);
    const auto read = [&records](const QString &name) {
        RecordLines result;
        const QStringList lines = QString::fromLatin1(records[name.toInt()]).split(QLatin1Char('\n'));
        for (int i = 0; i < RecordLineCount && i < lines.size(); ++i)
            result.lines[i] = lines[i];
        return result;
    };
    const ChartPlan plan = buildChart(names, read, selector, 329, height);
    FUZZ_REQUIRE(plan.tooFewRecords == (names.size() < 2));
    FUZZ_REQUIRE(plan.segments.size() <= std::max<qsizetype>(0, names.size() - 1));
    for (const ChartSegment &s : plan.segments)
        FUZZ_REQUIRE(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2)
                     && std::isfinite(s.y2));
    return 0;
}
