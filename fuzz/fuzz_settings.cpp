// Reading a settings file of arbitrary bytes: it either names its fault or gives
// settings that write and read back unchanged.
#include "FuzzInput.h"

#include "mainwindow/SettingsFile.h"

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
    const SettingsFile file(path);
    const SettingsRead read = file.read();
    if (!read.settings) {
        FUZZ_REQUIRE(read.error.contains(QStringLiteral("Arvot.txt")));
        return 0;
    }
    if (!file.write(*read.settings).isEmpty())
        return 0; // a character that cannot be stored: refused, old file kept
    const SettingsRead again = file.read();
    FUZZ_REQUIRE(again.settings.has_value());
    FUZZ_REQUIRE(again.settings->price == read.settings->price);
    FUZZ_REQUIRE(again.settings->displayReading == read.settings->displayReading);
    FUZZ_REQUIRE(again.settings->meterReading == read.settings->meterReading);
    FUZZ_REQUIRE(again.settings->calibrationInUse == read.settings->calibrationInUse);
    FUZZ_REQUIRE(again.settings->timeView == read.settings->timeView);
    return 0;
}
