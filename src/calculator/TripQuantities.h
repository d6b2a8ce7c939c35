#pragma once
// The trip quantities once for the whole program: the main window's seven rows top to
// bottom with their captions, units and tooltips, where each is stored in a trip record,
// and how the chart labels it. The first five rows are also the chart's five selectors.

#include "Energy.h"
#include "TripCalculation.h"

#include <QString>
#include <array>

namespace tankeli {

struct TripQuantity
{
    TripField field;   // its place in the calculation
    QString caption;   // txt_Vasen of its row, and the caption of its chart selector
    QString unit;      // txt_Oikea of its row
    QString tooltip;   // of its field
    int recordLine;    // 0 to 4: its line in a trip record; -1: not stored
    QString chartUnit; // after the chart's value labels; empty where it is not charted
};

inline constexpr int tripRowCount = 7;
inline constexpr int chartSelectorCount = 5;

// The rows of the main window, top to bottom, worded for a vehicle of this energy.
const std::array<TripQuantity, tripRowCount> &tripRows(Energy energy = Energy::Petrol);

} // namespace tankeli
