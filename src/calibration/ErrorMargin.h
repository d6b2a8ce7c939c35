#pragma once
// The speedometer's error margin from two readings, and the conversion that commits a
// reading as a 16-bit whole number when the calibration window closes.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tankeli {

// floor((M − T) / T × 100) for display text T and speedometer text M, in this order of
// operations (so 100 and 129 give 28, not 29). Fails on a text that is not a number,
// on T = 0, and on a margin that single precision cannot hold.
std::optional<double> Laske_Virhemarginaali(const QString &displayText,
                                             const QString &speedometerText);

// The margin as the calibration window shows it: "5 %", "-10 %", "1E+32 %".
QString marginText(double margin);

// A reading rounded to a whole number (halves to even: 97,5 → 98, 96,5 → 96);
// nullopt when it is not a number or not a speed the settings file can keep, 1 to
// 32767 km/h. Only such a reading counts for the margin.
std::optional<qint16> commitReading(const QString &text);

} // namespace tankeli
