#include "GradientRamp.h"

#include <cmath>

namespace tankeli {

Rgb gradientColourAt(int row, int height)
{
    if (height <= 1 || row <= 0)
        return gradientTop;
    if (row >= height - 1)
        return gradientBottom;
    const double t = double(row) / (height - 1);
    const auto mix = [t](int top, int bottom) { return int(std::lround(top + (bottom - top) * t)); };
    return {mix(gradientTop.red, gradientBottom.red), mix(gradientTop.green, gradientBottom.green),
            mix(gradientTop.blue, gradientBottom.blue)};
}

} // namespace tankeli
