#pragma once
// What a vehicle runs on, and the words and units that follow from it wherever the program
// names a price, a consumption or an amount: the main window's rows, the chart, the summary
// and the spreadsheet. The calculation is the same for every energy; petrol keeps the
// program's own texts exactly.

#include <QString>
#include <array>
#include <optional>

namespace tankeli {

enum class Energy { Petrol, Diesel, Electricity, Gas };
inline constexpr std::array<Energy, 4> allEnergies{Energy::Petrol, Energy::Diesel, Energy::Electricity, Energy::Gas};

// "Bensiini", "Diesel", "Sähkö", "Kaasu": as the vehicle dialog offers them and as a
// vehicle's own file stores them.
QString energyName(Energy energy);
// The energy of such a name, letter case ignored.
std::optional<Energy> energyNamed(const QString &name);

struct EnergyWords
{
    QString priceCaption;       // the price row: "Bensanhinta"
    QString priceUnit;          // "€ / Litra"
    QString priceTooltip;
    QString consumptionCaption; // "Bensankulutus"
    QString consumptionUnit;    // "Litraa / 100 Km"
    QString consumptionTooltip;
    QString amountUnit;         // of the amount used on a trip: "Litraa / matka"
    QString amountTooltip;
    QString amountSymbol;       // "l", "kWh", "kg": the summary, the spreadsheet, the log
    QString chartPriceUnit;     // after the chart's value labels: "€/L"
    QString chartConsumptionUnit;
    QString chartAmountUnit;
};

const EnergyWords &energyWords(Energy energy);

} // namespace tankeli
