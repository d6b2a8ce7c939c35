// Any text either fails to read or reads to a number whose text reads back to the
// same text: text(number(text(x))) == text(x).
#include "FuzzInput.h"

#include "calculator/NumberText.h"

#include <cmath>

using namespace tankeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    (void)textToDouble(text);
    const auto value = textToSingle(text);
    if (!value)
        return 0;
    FUZZ_REQUIRE(std::isfinite(*value));
    const QString written = singleToText(*value);
    const auto again = textToSingle(written);
    FUZZ_REQUIRE(again.has_value());
    FUZZ_REQUIRE(singleToText(*again) == written);
    FUZZ_REQUIRE(written.size() <= 13); // "-1,234568E+08"
    return 0;
}
