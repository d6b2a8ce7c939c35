#include "ErrorMargin.h"

#include "calculator/NumberText.h"

#include <cmath>
#include <limits>

namespace tankeli {

std::optional<double> Laske_Virhemarginaali(const QString &displayText,
                                             const QString &speedometerText)
{
    const auto speedometer = textToDouble(speedometerText);
    if (!speedometer)
        return std::nullopt;
    const auto display = textToDouble(displayText);
    if (!display || *display == 0.0)
        return std::nullopt;
    const double difference = *speedometer - *display;
    const double quotient = difference / *display;
    const double percent = quotient * 100;
    const double margin = std::floor(percent);
    // The main window keeps the margin in single precision.
    if (!std::isfinite(margin) || std::fabs(margin) > std::numeric_limits<float>::max())
        return std::nullopt;
    return margin;
}

QString marginText(double margin)
{
    // In the program's number form, so that a huge margin reads as "1E+32 %" rather than
    // as 32 digits in a narrow field.
    return singleToText(static_cast<float>(margin)) + QStringLiteral(" %");
}

std::optional<qint16> commitReading(const QString &text)
{
    const auto value = textToDouble(text);
    if (!value)
        return std::nullopt;
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    const double rounded = std::nearbyint(*value);
    if (rounded < 1 || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace tankeli
