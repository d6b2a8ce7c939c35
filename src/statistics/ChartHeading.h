#pragma once
// The heading that an exported chart image and a printed chart carry above the chart, so
// that the file or the page still says what it shows once it is away from the window.

#include "ChartBuilder.h"

#include <QStringList>

namespace tankeli {

// Two lines: the quantity with its unit, "Bensankulutus (L/100Km)", then the number of
// trips with the first and the last trip's names in list order,
// "12 matkaa: 2006_03_07.sav – 2006_05_01.sav"; a name longer than 40 characters is
// shortened in the middle. Empty for a plan that draws no chart.
QStringList chartHeading(const ChartPlan &plan);

} // namespace tankeli
