#pragma once
// Number texts as the program reads and writes them everywhere: Finnish conventions
// (decimal comma, ASCII minus, no group separators) whatever the system locale is.

#include <QString>
#include <optional>

namespace tankeli {

// Text to single precision. Accepts an optional sign, digits with an optional decimal
// comma and an optional exponent ("1,5E+08"); surrounding spaces are ignored. Fails on
// empty text, letters, a decimal point and values beyond the single-precision range;
// a value too small for single precision becomes 0 or a denormal.
std::optional<float> textToSingle(const QString &text);

// Text to double precision, with the same syntax; fails beyond the double range.
std::optional<double> textToDouble(const QString &text);

// Single precision to text: at most 7 significant digits, no trailing zeros or comma,
// "0" for both zeros, exponent form ("1,234568E+08", "1E-05") where plain digits
// would need more than 7 places. Reading the text back gives a number that writes
// the same text again.
QString singleToText(float value);

// Double precision to text in the same form. Sums kept in double precision are shown
// with this: turning them into single precision first would round twice and could
// change the seventh digit.
QString doubleToText(double value);

} // namespace tankeli
