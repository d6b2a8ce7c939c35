// Importing a spreadsheet of arbitrary bytes: rows come in order, every row written back
// as an export writes it reads again as the same fields, and the plan takes or refuses
// each data row once, taking only names and values the store accepts.
#include "FuzzInput.h"

#include "summary/TripSpreadsheet.h"

#include <QTemporaryDir>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const RecordStore store(dir.path());
    const QByteArray bytes = fuzzBytes(data, size);
    const CsvRows parsed = parseSpreadsheet(bytes);
    FUZZ_REQUIRE(parsed.problems.size() <= 1);
    QByteArray again("\xEF\xBB\xBF");
    int previous = 0;
    for (const CsvRow &row : parsed.rows) {
        FUZZ_REQUIRE(row.row > previous && !row.fields.isEmpty());
        previous = row.row;
        again += spreadsheetLine(row.fields);
    }
    const CsvRows reread = parseSpreadsheet(again);
    FUZZ_REQUIRE(reread.problems.isEmpty() && reread.rows.size() == parsed.rows.size());
    for (qsizetype i = 0; i < parsed.rows.size(); ++i)
        FUZZ_REQUIRE(reread.rows[i].fields == parsed.rows[i].fields && reread.rows[i].row == i + 1);

    const Outcome<ImportPlan> plan = planImport(store, QStringLiteral("f.csv"), bytes);
    if (!plan)
        return 0;
    FUZZ_REQUIRE(plan->records.size() + plan->refused.size() == parsed.rows.size() - 1 + parsed.problems.size());
    for (const ImportRecord &record : plan->records) {
        FUZZ_REQUIRE(!RecordStore::nameProblem(record.entry.name) && !record.exists);
        for (const QString &value : record.values)
            FUZZ_REQUIRE(!RecordStore::valueProblem(value));
    }
    return 0;
}
