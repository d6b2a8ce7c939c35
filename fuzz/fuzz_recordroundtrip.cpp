// Saving any five values: a record that is saved opens again with the same five values,
// and a value that could not be opened again is refused before anything is written.
#include "FuzzInput.h"

#include "records/RecordStore.h"

#include <QTemporaryDir>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static RecordStore store(dir.path());
    // The five values are the input's text, cut at each unit separator (0x1F).
    const QStringList parts = fuzzText(data, size).split(QChar(0x1f));
    RecordValues values;
    for (int i = 0; i < RecordLineCount; ++i)
        values[i] = parts.value(i);
    const QByteArray before = store.read(QStringLiteral("r.sav")) ? QByteArray("read") : QByteArray();
    const Done written = store.write(QStringLiteral("r.sav"), values);
    const Outcome<RecordValues> read = store.read(QStringLiteral("r.sav"));
    if (written)
        FUZZ_REQUIRE(read && *read == values);
    else
        FUZZ_REQUIRE(!written.error().isEmpty() && (read.ok() == !before.isEmpty()));
    return 0;
}
