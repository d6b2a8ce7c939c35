#include "TripQuantities.h"

namespace tankeli {

const std::array<TripQuantity, tripRowCount> &tripRows()
{
    // The record keeps the trip price before the litres; the rows show the litres first.
    static const std::array<TripQuantity, tripRowCount> rows{{
        {Price, QStringLiteral("Bensanhinta"), QStringLiteral("€ / Litra"),
         QStringLiteral("Aseta tähän paikallisen huoltoaseman bensan hinta euroissa"), 0,
         QStringLiteral("€/L")},
        {Consumption, QStringLiteral("Bensankulutus"), QStringLiteral("Litraa / 100 Km"),
         QStringLiteral("Paljonko auto kuluttaa 100 km:n matkalla polttoainetta"), 1,
         QStringLiteral("L/100Km")},
        {Distance, QStringLiteral("Matka"), QStringLiteral("Kilometriä"),
         QStringLiteral("Kuinka monta kilometriä voidaan ajaa tai on ajettu"), 2,
         QStringLiteral("Km")},
        {Litres, QStringLiteral("Kokonaiskulutus"), QStringLiteral("Litraa / matka"),
         QStringLiteral("Paljonko polttoainetta kuluu ajetussa matkassa"), 4, QStringLiteral("L")},
        {TripPrice, QStringLiteral("Yhteishinta"), QStringLiteral("€ / Matka"),
         QStringLiteral("Ajetun matkan hinta"), 3, QStringLiteral("€")},
        {MonthPrice, QStringLiteral("Kuukausihinta"), QStringLiteral("€ / KK"),
         QStringLiteral("Jos ajo on jokapäiväistä, paljonko kuluu rahaa kuukaudessa"), -1, {}},
        {YearPrice, QStringLiteral("Vuosihinta"), QStringLiteral("€ / Vuosi"),
         QStringLiteral("Jos ajo on jokapäiväistä, paljonko kuluu rahaa vuodessa"), -1, {}},
    }};
    return rows;
}

} // namespace tankeli
