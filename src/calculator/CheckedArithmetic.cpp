#include "CheckedArithmetic.h"

#include <cmath>
#include <limits>

namespace tankeli {

double CheckedArithmetic::check(double value)
{
    if (std::isnan(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        // Rounding to single precision may still bring a value just above the largest
        // float back into range; only a value that stays infinite there is a fault.
        if (std::isnan(value) || std::isinf(static_cast<float>(value))) {
            m_failed = true;
            return 0.0;
        }
    }
    return value;
}

double CheckedArithmetic::mul(double a, double b)
{
    return check(a * b);
}

double CheckedArithmetic::div(double a, double b)
{
    if (b == 0.0) {
        m_failed = true;
        return 0.0;
    }
    return check(a / b);
}

float CheckedArithmetic::store(double value)
{
    return static_cast<float>(check(value));
}

} // namespace tankeli
