#pragma once
// The halving that every window's layout and the chart use: the value rounded to the
// nearest whole number (halves to even), then halved with the remainder dropped.

#include <cmath>

namespace tankeli {

inline long long halfOf(double value)
{
    // nearbyint rounds in the default mode: to nearest, ties to even.
    return static_cast<long long>(std::nearbyint(value)) / 2;
}

} // namespace tankeli
