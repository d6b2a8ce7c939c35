#include "TripQuantities.h"

#include <cstddef>

namespace tankeli {
namespace {

std::array<TripQuantity, tripRowCount> rowsFor(Energy energy)
{
    const EnergyWords &words = energyWords(energy);
    // The record keeps the trip price before the amount used; the rows show the amount first.
    return {{
        {Price, words.priceCaption, words.priceUnit, words.priceTooltip, 0, words.chartPriceUnit},
        {Consumption, words.consumptionCaption, words.consumptionUnit, words.consumptionTooltip, 1,
         words.chartConsumptionUnit},
        {Distance, QStringLiteral("Matka"), QStringLiteral("Kilometriä"),
         QStringLiteral("Kuinka monta kilometriä voidaan ajaa tai on ajettu"), 2, QStringLiteral("Km")},
        {Litres, QStringLiteral("Kokonaiskulutus"), words.amountUnit, words.amountTooltip, 4, words.chartAmountUnit},
        {TripPrice, QStringLiteral("Yhteishinta"), QStringLiteral("€ / Matka"),
         QStringLiteral("Ajetun matkan hinta"), 3, QStringLiteral("€")},
        {MonthPrice, QStringLiteral("Kuukausihinta"), QStringLiteral("€ / KK"),
         QStringLiteral("Jos ajo on jokapäiväistä, paljonko kuluu rahaa kuukaudessa"), -1, {}},
        {YearPrice, QStringLiteral("Vuosihinta"), QStringLiteral("€ / Vuosi"),
         QStringLiteral("Jos ajo on jokapäiväistä, paljonko kuluu rahaa vuodessa"), -1, {}},
    }};
}

} // namespace

const std::array<TripQuantity, tripRowCount> &tripRows(Energy energy)
{
    static const std::array<std::array<TripQuantity, tripRowCount>, allEnergies.size()> tables{
        rowsFor(Energy::Petrol), rowsFor(Energy::Diesel), rowsFor(Energy::Electricity), rowsFor(Energy::Gas)};
    return tables[static_cast<std::size_t>(energy)];
}

} // namespace tankeli
