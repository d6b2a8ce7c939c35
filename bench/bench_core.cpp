// How fast the core is: number texts and one trip calculation per call; listing,
// reading and charting folders of 256, 10,000 and 100,000 records; and listing plus
// charting, the trip summary, a spreadsheet's export and import, the fill-up log and its
// import, and a household's vehicle switch and comparison, each set against the bare
// system-call floor of the same work.
#include "calculator/NumberText.h"
#include "calculator/TripCalculation.h"
#include "fillups/FillUpImport.h"
#include "fillups/FillUpLog.h"
#include "records/RecordStore.h"
#include "statistics/ChartBuilder.h"
#include "summary/TripSpreadsheet.h"
#include "summary/TripSummary.h"
#include "vehicles/Garage.h"
#include "vehicles/VehicleComparison.h"
#include "SystemCallFloor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <string>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <utility>
#include <vector>

using namespace tankeli;

namespace {

// A trip record's bytes, varied by i.
QByteArray recordBytes(int i)
{
    return "1,3\r\n" + QByteArray::number(5 + i % 4) + ",5\r\n120\r\n11,7\r\n9\r\n";
}

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
                file.write(recordBytes(i));
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
    const Outcome<QList<RecordEntry>> listed = store.list();
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    for (auto _ : state)
        benchmark::DoNotOptimize(buildChart(listed, read, 1, 329, 212));
}
BENCHMARK(chartRecords)->Arg(256)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The program's work and the floor's, timed in the same loop turn about, so that both
// meet the same caches; ratio = program / floor.
template <typename Program, typename Floor>
void againstFloor(benchmark::State &state, const Program &program, const Floor &floor)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration programTime{};
    Clock::duration floorTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        floor();
        const auto middle = Clock::now();
        program();
        const auto end = Clock::now();
        floorTime += middle - start;
        programTime += end - middle;
    }
    const auto ms = [&state](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() / double(state.iterations());
    };
    state.counters["program_ms"] = ms(programTime);
    state.counters["floor_ms"] = ms(floorTime);
    state.counters["ratio"] = ms(programTime) / ms(floorTime);
}

std::string pathOf(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Listing and charting as the statistics window does.
void listAndChartAgainstFloor(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    againstFloor(
        state,
        [&] { benchmark::DoNotOptimize(buildChart(store.list(), read, 1, 329, 212)); },
        [&] { benchmark::DoNotOptimize(systemCallFloor(pathOf(store.folder()))); });
}
BENCHMARK(listAndChartAgainstFloor)->Arg(10000)->Unit(benchmark::kMillisecond);

// The summary window's figures: every record listed, read and summed.
void summaryAgainstFloor(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    againstFloor(
        state, [&] { benchmark::DoNotOptimize(summarizeStore(store)); },
        [&] { benchmark::DoNotOptimize(systemCallFloor(pathOf(store.folder()))); });
}
BENCHMARK(summaryAgainstFloor)->Arg(10000)->Unit(benchmark::kMillisecond);

// Every record read and written into one spreadsheet file, which replaces the last one.
void exportAgainstFloor(benchmark::State &state)
{
    const RecordStore &store = folderOf(int(state.range(0)));
    const QTemporaryDir out;
    const std::string content = spreadsheetBytes(*readTrips(store)).toStdString();
    againstFloor(
        state, [&] { benchmark::DoNotOptimize(exportSpreadsheet(store, out.filePath("matkat.csv"))); },
        [&] {
            benchmark::DoNotOptimize(systemCallFloor(pathOf(store.folder())));
            atomicWriteFloor(pathOf(out.filePath("floor.csv")), content);
        });
}
BENCHMARK(exportAgainstFloor)->Arg(10000)->Unit(benchmark::kMillisecond);

// A spreadsheet of every record read, planned and written over the records it names,
// each record replaced whole; the floor writes the same bytes under the same names.
void importAgainstFloor(benchmark::State &state)
{
    const RecordStore &source = folderOf(int(state.range(0)));
    const QTemporaryDir work;
    const QString file = work.filePath("matkat.csv");
    QDir(work.path()).mkpath("program");
    QDir(work.path()).mkpath("floor");
    if (!exportSpreadsheet(source, file))
        state.SkipWithError("no spreadsheet to import");
    RecordStore target(work.filePath("program"));
    std::vector<std::pair<std::string, std::string>> records;
    const QList<RecordEntry> entries = *source.list();
    for (const RecordEntry &entry : entries) {
        QFile record(source.folder() + '/' + QString::fromUtf8(entry.fileName));
        if (record.open(QIODevice::ReadOnly))
            records.emplace_back(pathOf(work.filePath("floor/")) + entry.fileName.toStdString(), record.readAll().toStdString());
    }
    const auto import = [&] {
        const Outcome<ImportPlan> plan = planImport(target, file);
        benchmark::DoNotOptimize(applyImport(target, *plan, true));
    };
    const auto floor = [&] {
        benchmark::DoNotOptimize(readFileFloor(pathOf(file)));
        for (const auto &[path, content] : records)
            atomicWriteFloor(path, content);
    };
    // Both write over records that are there from here on.
    import();
    floor();
    againstFloor(state, import, floor);
}
BENCHMARK(importAgainstFloor)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A fill-up log of `count` fill-ups: a partial now and then, a missed one now and then.
QList<FillUp> fillUpsOf(int count)
{
    QList<FillUp> log;
    const QDate first(2000, 1, 1);
    for (int i = 0; i < count; ++i)
        log.append({first.addDays(i), 10000.0 + 480.5 * i, 35.0 + i % 9, 1.859, 0, i % 5 != 3, i % 97 == 50,
                    i % 11 == 0 ? QStringLiteral("Neste, Espoo") : QString()});
    for (FillUp &f : log)
        f.total = std::round(f.amount * f.price * 100) / 100;
    return log;
}

// The fill-up window's opening: the log read and its chains worked out, against reading
// its file.
void fillUpLogAgainstFloor(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("Tankkaukset.csv");
    if (!writeFillUpLog(path, fillUpsOf(int(state.range(0))), Energy::Petrol))
        state.SkipWithError("no log to read");
    againstFloor(
        state,
        [&] {
            const LogReading reading = readFillUpLog(path);
            benchmark::DoNotOptimize(workOutLog(reading.fillUps, {true, 3}));
        },
        [&] { benchmark::DoNotOptimize(readFileFloor(pathOf(path))); });
}
BENCHMARK(fillUpLogAgainstFloor)->Arg(5000)->Unit(benchmark::kMillisecond);

// Another program's export of `count` fill-ups read, checked against an empty log and
// planned, against reading its file.
void fillUpImportAgainstFloor(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("fuelly.csv");
    QByteArray bytes = "car_name,model,l/100km,odometer,km,litres,price,city_percentage,fuelup_date,date_added,tags,notes,"
                       "missed_fuelup,partial_fuelup\r\n";
    for (const FillUp &f : fillUpsOf(int(state.range(0))))
        bytes += "Auto,Malli,," + QByteArray::number(f.odometer, 'f', 1) + ",0," + QByteArray::number(f.amount) + ",1.859,50,"
                 + f.date.toString(Qt::ISODate).toLatin1() + ",,,," + (f.missedBefore ? "1" : "0") + "," + (f.full ? "0" : "1") + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        state.SkipWithError("no file to import");
    file.close();
    const QDate today(2030, 1, 1);
    againstFloor(
        state, [&] { benchmark::DoNotOptimize(previewImportFile(path, {}, today, Energy::Petrol)); },
        [&] { benchmark::DoNotOptimize(readFileFloor(pathOf(path))); });
}
BENCHMARK(fillUpImportAgainstFloor)->Arg(5000)->Unit(benchmark::kMillisecond);

// A household of 20 vehicles of 1,000 trips each, made once for the run: the first is the
// program's own folders, the others made as the vehicle menu makes them.
constexpr int householdVehicles = 20;
constexpr int tripsPerVehicle = 1000;

Garage &household()
{
    static QTemporaryDir home;
    static Garage garage(ProgramFolders(home.path(), home.path(), QString()));
    static bool made = false;
    if (made)
        return garage;
    made = true;
    QDir(home.path()).mkpath("Data");
    const Settings settings{QStringLiteral("1,859"), QStringLiteral("100"), QStringLiteral("98"), true, false};
    (void)SettingsFile(home.filePath("Data/Arvot.txt")).write(settings);
    for (int v = 1; v < householdVehicles; ++v)
        (void)garage.add({QStringLiteral("Auto %1").arg(v, 2, 10, QLatin1Char('0')), Energy::Petrol, QString()}, settings);
    garage.load();
    for (int v = 0; v < garage.count(); ++v) {
        const QString folder = garage.folders(v).recordFolder();
        QDir().mkpath(folder);
        // Written directly, as folderOf writes them.
        for (int i = 0; i < tripsPerVehicle; ++i) {
            QFile file(folder + QStringLiteral("/%1.sav").arg(i, 6, 10, QLatin1Char('0')));
            if (file.open(QIODevice::WriteOnly))
                file.write(recordBytes(i + v));
        }
    }
    return garage;
}

// Everything of one vehicle the floor reads: its settings and its trips.
std::size_t vehicleFloor(const ProgramFolders &folders)
{
    return systemCallFloor(pathOf(folders.dataFolder())) + systemCallFloor(pathOf(folders.recordFolder()));
}

// Choosing the next vehicle of the household as the vehicle menu does without its window:
// the settings typed for the vehicle in use saved, the choice remembered for the next
// start, the chosen one's settings read and its trips listed; against reading that
// vehicle's files.
void vehicleSwitchAgainstFloor(benchmark::State &state)
{
    Garage &garage = household();
    if (garage.count() != householdVehicles)
        state.SkipWithError("the household was not made");
    const Settings typed{QStringLiteral("1,859"), QStringLiteral("100"), QStringLiteral("98"), true, false};
    int next = (garage.current() + 1) % garage.count();
    againstFloor(
        state,
        [&] {
            benchmark::DoNotOptimize(SettingsFile(garage.folders(garage.current()).settingsFile()).write(typed));
            benchmark::DoNotOptimize(garage.choose(next));
            benchmark::DoNotOptimize(SettingsFile(garage.folders(next).settingsFile()).read());
            benchmark::DoNotOptimize(RecordStore(garage.folders(next).recordFolder()).list());
            next = (next + 1) % garage.count();
        },
        [&] { benchmark::DoNotOptimize(vehicleFloor(garage.folders(next))); });
}
BENCHMARK(vehicleSwitchAgainstFloor)->Unit(benchmark::kMillisecond);

// The comparison window's figures: every vehicle's settings, fill-up log and trips read
// and one trip priced with each; against reading every vehicle's files.
void comparisonAgainstFloor(benchmark::State &state)
{
    Garage &garage = household();
    if (garage.count() != householdVehicles)
        state.SkipWithError("the household was not made");
    const Settings chosen{QStringLiteral("1,859"), QStringLiteral("100"), QStringLiteral("98"), true, false};
    againstFloor(
        state, [&] { benchmark::DoNotOptimize(compareVehicles(garage, QStringLiteral("120"), chosen)); },
        [&] {
            for (int v = 0; v < garage.count(); ++v)
                benchmark::DoNotOptimize(vehicleFloor(garage.folders(v)));
        });
}
BENCHMARK(comparisonAgainstFloor)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
