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
    // Records are the pieces between NUL bytes; within one, lines end at LF and a line
    // that is only "~" stands for one too long to hold.
    const QList<QByteArray> records = fuzzBytes(data + 2, size - 2).split('\0');
    QList<RecordEntry> entries;
    for (int k = 0; k < records.size(); ++k)
        entries.append({QString::number(k), QByteArray::number(k)});
    const auto read = [&records](const RecordEntry &entry) {
        RecordLines result;
        const QList<QByteArray> lines = records[entry.fileName.toInt()].split('\n');
        for (int i = 0; i < RecordLineCount; ++i) {
            result.state[i] = i >= lines.size() ? LineReader::Line::Missing
                : lines[i] == "~"               ? LineReader::Line::TooLong
                                                : LineReader::Line::Text;
            result.text[i] = QString::fromLatin1(lines.value(i));
        }
        return Outcome<RecordLines>(result);
    };
    const ChartPlan plan = buildChart(entries, read, selector, 329, height);
    FUZZ_REQUIRE(plan.tooFewRecords == (records.size() < 2));
    FUZZ_REQUIRE(plan.segments.size() <= std::max<qsizetype>(0, records.size() - 1));
    for (const ChartSegment &s : plan.segments)
        FUZZ_REQUIRE(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2)
                     && std::isfinite(s.y2));
    return 0;
}
