// Reading a record file of arbitrary bytes: every line is read whole within the limit
// or skipped as too long, and a record written from what was read reads back the same.
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
    const Outcome<RecordLines> lines = store.readLines({QStringLiteral("r.sav"), "r.sav"});
    FUZZ_REQUIRE(lines.ok());
    // A line is read whole within the limit, or skipped as too long, never cut short. No
    // more is read than five lines at the limit can fill: a line cut off there is too long.
    const qsizetype readLimit = RecordLineCount * (RecordStore::maxLineBytes + 2);
    const QByteArray all = fuzzBytes(data, size);
    const QList<QByteArray> raw = all.left(readLimit).split('\n');
    for (int i = 0; i < RecordLineCount; ++i) {
        FUZZ_REQUIRE(lines->text[i].size() <= RecordStore::maxLineBytes);
        if (i >= raw.size() || (i == raw.size() - 1 && raw[i].isEmpty()))
            FUZZ_REQUIRE(lines->state[i] == LineReader::Line::Missing);
        else if (i == raw.size() - 1 && all.size() >= readLimit)
            FUZZ_REQUIRE(lines->state[i] == LineReader::Line::TooLong);
        else {
            QByteArray line = raw[i];
            if (line.endsWith('\r'))
                line.chop(1);
            FUZZ_REQUIRE(lines->state[i] == (line.size() > RecordStore::maxLineBytes ? LineReader::Line::TooLong
                                                                                     : LineReader::Line::Text));
        }
    }
    const Outcome<RecordValues> read = store.read(QStringLiteral("r.sav"));
    if (!read)
        return 0;
    // Only values holding a line break or a character outside the set are refused.
    if (store.write(QStringLiteral("copy.sav"), *read))
        FUZZ_REQUIRE(*store.read(QStringLiteral("copy.sav")) == *read);
    return 0;
}
