// The trip calculation on arbitrary field texts: it either fails with its one message
// or returns seven texts that all read back as numbers.
#include "FuzzInput.h"

#include "calculator/NumberText.h"
#include "calculator/TripCalculation.h"

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Line 1: calibration ("1" on) and margin; lines 2 to 8: the seven fields.
    const QStringList lines = fuzzText(data, size).split(QLatin1Char('\n'));
    TripTexts fields;
    for (int i = 0; i < TripFieldCount; ++i)
        fields[i] = lines.value(i + 1, QStringLiteral("0"));
    const QString first = lines.value(0);
    const Calibration calibration{first.startsWith(QLatin1Char('1')),
                                  textToSingle(first.mid(1)).value_or(0.0f)};
    const Outcome<TripTexts> result = calculateTrip(fields, calibration);
    if (!result) {
        FUZZ_REQUIRE(result.error() == tripFailureMessage);
        return 0;
    }
    for (const QString &text : *result)
        FUZZ_REQUIRE(textToSingle(text).has_value());
    return 0;
}
