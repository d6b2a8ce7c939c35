// Reading a record file of arbitrary bytes: never more than the bounded line length,
// and a record written from what was read reads back the same.
#include "FuzzInput.h"

#include "records/RecordStore.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static RecordStore store(dir.path());
    {
        QFile file(dir.filePath(QStringLiteral("r.sav")));
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly));
        file.write(fuzzBytes(data, size));
    }
    const RecordLines lines = store.readLines(QStringLiteral("r.sav"));
    FUZZ_REQUIRE(lines.opened());
    for (const auto &line : lines.lines)
        FUZZ_REQUIRE(!line || line->size() <= RecordStore::maxLineBytes);
    const ReadOutcome read = store.read(QStringLiteral("r.sav"));
    if (!read.values)
        return 0;
    // Only values holding a line break or a character outside the set are refused.
    if (store.write(QStringLiteral("copy.sav"), *read.values).ok)
        FUZZ_REQUIRE(store.read(QStringLiteral("copy.sav")).values == read.values);
    return 0;
}
