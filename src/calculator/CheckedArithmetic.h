#pragma once
// Arithmetic that notices the faults the calculations must report instead of
// carrying on with them: division by zero, an invalid operation, and a result beyond
// the single-precision range. Values are evaluated in double precision.

#include <optional>

namespace tankeli {

class CheckedArithmetic
{
public:
    // a × b; a result beyond the single-precision range is a fault.
    double mul(double a, double b);
    // a ÷ b; b = 0 (also 0 ÷ 0) is a fault, as is a result beyond single precision.
    double div(double a, double b);
    // Stores a value in single precision; a value beyond its range is a fault.
    float store(double value);

    bool failed() const { return m_failed; }

private:
    double check(double value);
    bool m_failed = false;
};

} // namespace tankeli
