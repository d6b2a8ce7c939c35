// How fast the core is: number texts and one trip calculation per call; listing,
// reading and charting folders of 256, 10,000 and 100,000 records; and listing plus
// charting set against the bare system-call floor of the same work.
#include "calculator/NumberText.h"
#include "calculator/TripCalculation.h"
#include "records/RecordStore.h"
#include "statistics/ChartBuilder.h"
#include "SystemCallFloor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tankeli;

namespace {

// One folder of `count` records per size, made once and kept for the whole run.
const RecordStore &folderOf(int count)
{
    static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, std::unique_ptr<RecordStore>>> folders;
    auto &entry = folders[count];
    if (!entry.second) {
        entry.first = std::make_unique<QTemporaryDir>();
        entry.second = std::make_unique<RecordStore>(entry.first->path());
        // Written directly: the store's careful save (fsync) would take minutes here.
        for (int i = 0; i < count; ++i) {
            QFile file(entry.first->filePath(QStringLiteral("%1.sav").arg(i, 6, 10, QLatin1Char('0'))));
            if (file.open(QIODevice::WriteOnly))
                file.write("1,3\r\n" + QByteArray::number(5 + i % 4) + ",5\r\n120\r\n11,7\r\n9\r\n");
        }
    }
    return *entry.second;
}

void textToNumber(benchmark::State &state)
{
    const QString text = QStringLiteral("1234,567");
    for (auto _ : state)
        benchmark::DoNotOptimize(textToSingle(text));
}
BENCHMARK(textToNumber);

void numberToText(benchmark::State &state)
{
    float value = 1234.567f;
    for (auto _ : state)
        benchmark::DoNotOptimize(singleToText(value));
}
BENCHMARK(numberToText);

void tripCalculation(benchmark::State &state)
{
    const TripTexts fields{"1,3", "6,5", "100", "0", "0", "0", "0"};
    for (auto _ : state)
        benchmark::DoNotOptimize(calculateTrip(fields, {true, 5}));
}
BENCHMARK(tripCalculation);

void listRecords(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.list());
}
BENCHMARK(listRecords)->Arg(256)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The listed records, walked as the chart walks the file window's list.
struct ListedRecords : RecordList
{
    QList<RecordEntry> entries;
    int recordCount() const override { return int(entries.size()); }
    RecordEntry record(int k) const override { return entries[k]; }
    void selectRecord(int) override {}
    QString listProblem() const override { return {}; }
};

void readRecords(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    const QList<RecordEntry> entries = *store.list();
    for (auto _ : state)
        for (const RecordEntry &entry : entries)
            benchmark::DoNotOptimize(store.readLines(entry));
}
BENCHMARK(readRecords)->Arg(256)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The builder as the statistics window runs it, files read included.
void chartRecords(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    ListedRecords list;
    list.entries = *store.list();
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    for (auto _ : state)
        benchmark::DoNotOptimize(buildChart(list, read, 1, 329, 212));
}
BENCHMARK(chartRecords)->Arg(256)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Listing and charting as the statistics window does, timed in the same loop as the
// floor, turn about, so that both meet the same caches; ratio = program / floor.
void listAndChartAgainstFloor(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    const std::string folder = QFile::encodeName(store.folder()).toStdString();
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    using Clock = std::chrono::steady_clock;
    Clock::duration program{};
    Clock::duration floor{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(systemCallFloor(folder));
        const auto middle = Clock::now();
        ListedRecords list;
        list.entries = *store.list();
        benchmark::DoNotOptimize(buildChart(list, read, 1, 329, 212));
        const auto end = Clock::now();
        floor += middle - start;
        program += end - middle;
    }
    const auto ms = [&state](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() / double(state.iterations());
    };
    state.counters["program_ms"] = ms(program);
    state.counters["floor_ms"] = ms(floor);
    state.counters["ratio"] = ms(program) / ms(floor);
}
BENCHMARK(listAndChartAgainstFloor)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
