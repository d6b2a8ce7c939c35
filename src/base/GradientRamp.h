#pragma once
// The background every window shares: a vertical ramp from a very light blue at the
// top row to a slate blue-grey at the bottom row, each pixel row one colour.

namespace tankeli {

struct Rgb
{
    int red, green, blue;
    bool operator==(const Rgb &) const = default;
};

inline constexpr Rgb gradientTop{234, 246, 255};
inline constexpr Rgb gradientBottom{97, 117, 136};

// Text drawn on the ramp and on the program's own pictures, whatever the colour scheme:
// the scheme's text colour may be light, and the ramp and the pictures are light.
inline constexpr Rgb ownTextColour{0, 0, 0};

// The colour of pixel row `row` (0 at the top) in a client area `height` rows high:
// linear from the top colour on the first row to the bottom colour on the last.
Rgb gradientColourAt(int row, int height);

} // namespace tankeli
