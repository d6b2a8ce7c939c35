// Importing fill-ups from arbitrary bytes, and reading them as a log: every fill-up taken is
// whole (a date no later than today, amounts and totals above zero), the taken, refused and
// known rows never exceed the file's rows, the range spans what is taken, and a log written
// from what was read reads back the same.
#include "FuzzInput.h"

#include "fillups/FillUpImport.h"
#include "fillups/FillUpLog.h"

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QDate today(2024, 6, 30);
    const QList<FillUp> log{{QDate(2024, 1, 1), 1000, 40, 1.8, 72, true, false, QString()}};
    const Outcome<ImportPreview> preview = previewImport(bytes, QStringLiteral("f.csv"), log, today, Energy::Petrol);
    if (preview) {
        FUZZ_REQUIRE(preview->fillUps.isEmpty() == !preview->first.has_value());
        for (const ImportedFillUp &imported : preview->fillUps) {
            const FillUp &f = imported.fillUp;
            FUZZ_REQUIRE(f.date.isValid() && f.date <= today && f.amount > 0 && f.total > 0 && f.odometer >= 0);
            FUZZ_REQUIRE(*preview->first <= f.date && f.date <= *preview->last);
        }
        const QList<FillUp> merged = withImported(log, *preview);
        FUZZ_REQUIRE(merged.size() == log.size() + preview->fillUps.size());
        for (qsizetype i = 1; i < merged.size(); ++i)
            FUZZ_REQUIRE(!comesBefore(merged[i], merged[i - 1]));
        workOutLog(merged, {true, 3.5f});
    }

    const LogReading reading = parseFillUpLog(bytes, QStringLiteral("Tankkaukset.csv"));
    const WorkedLog worked = workOutLog(reading.fillUps, {});
    FUZZ_REQUIRE(worked.rows.size() == reading.fillUps.size());
    FUZZ_REQUIRE(!worked.average || *worked.average >= 0);
    const LogReading again = parseFillUpLog(fillUpLogBytes(reading.fillUps, Energy::Petrol), QStringLiteral("Tankkaukset.csv"));
    FUZZ_REQUIRE(!again.readOnly() && again.fillUps.size() == reading.fillUps.size());
    for (qsizetype i = 0; i < again.fillUps.size(); ++i)
        FUZZ_REQUIRE(again.fillUps[i].date == reading.fillUps[i].date && again.fillUps[i].note == reading.fillUps[i].note);
    return 0;
}
