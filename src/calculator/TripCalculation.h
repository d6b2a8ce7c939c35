#pragma once
// The trip calculation behind "Laske": from the seven trip field texts and the
// calibration state it fills in the missing values, or fails with one message.

#include "base/Outcome.h"

#include <QString>
#include <array>

namespace tankeli {

// The seven trip values in reading and writing order.
enum TripField {
    Price,       // Txt_Bensanhinta, euros per litre
    Consumption, // Txt_Bensankulutus, litres per 100 km
    Distance,    // Txt_Kilometrit, km
    TripPrice,   // Txt_Yhteishinta, euros
    Litres,      // Txt_Kokonaiskulutus, litres used on the trip
    MonthPrice,  // Txt_KKHinta
    YearPrice,   // Txt_VuosiHinta
    TripFieldCount
};

using TripTexts = std::array<QString, TripFieldCount>;

struct Calibration
{
    bool inUse = false;     // Kalibrointi_Kaytossa
    float marginPercent = 0; // Virhemarginaali
};

inline const QString tripFailureMessage =
    QStringLiteral("Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu.");

// The seven output texts, or the one failure message: for a text that is no number, a
// fault in the arithmetic, or too few values (no case applies and no trip price gives a
// month price).
Outcome<TripTexts> calculateTrip(const TripTexts &fields, const Calibration &calibration);

} // namespace tankeli
