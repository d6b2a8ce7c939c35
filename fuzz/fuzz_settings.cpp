// Reading a settings file of arbitrary bytes: it either names its fault or gives
// settings that write and read back unchanged.
#include "FuzzInput.h"

#include "vehicles/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Arvot.txt"));
    {
        QFile file(path);
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly));
        file.write(fuzzBytes(data, size));
    }
    SettingsFile file(path);
    const Outcome<Settings> read = file.read();
    if (!read) {
        FUZZ_REQUIRE(read.error().contains(QStringLiteral("Arvot.txt")));
        return 0;
    }
    if (!file.write(*read))
        return 0; // a character that cannot be stored: the old price kept, and said so
    const Outcome<Settings> again = file.read();
    FUZZ_REQUIRE(again.ok());
    FUZZ_REQUIRE(again->price == read->price);
    FUZZ_REQUIRE(again->displayReading == read->displayReading);
    FUZZ_REQUIRE(again->meterReading == read->meterReading);
    FUZZ_REQUIRE(again->calibrationInUse == read->calibrationInUse);
    FUZZ_REQUIRE(again->timeView == read->timeView);
    return 0;
}
