#include "Energy.h"

namespace tankeli {

QString energyName(Energy energy)
{
    switch (energy) {
    case Energy::Petrol: return QStringLiteral("Bensiini");
    case Energy::Diesel: return QStringLiteral("Diesel");
    case Energy::Electricity: return QStringLiteral("Sähkö");
    case Energy::Gas: return QStringLiteral("Kaasu");
    }
    return {};
}

std::optional<Energy> energyNamed(const QString &name)
{
    for (const Energy energy : allEnergies)
        if (name.compare(energyName(energy), Qt::CaseInsensitive) == 0)
            return energy;
    return std::nullopt;
}

const EnergyWords &energyWords(Energy energy)
{
    static const EnergyWords petrol{
        QStringLiteral("Bensanhinta"), QStringLiteral("€ / Litra"),
        QStringLiteral("Aseta tähän paikallisen huoltoaseman bensan hinta euroissa"),
        QStringLiteral("Bensankulutus"), QStringLiteral("Litraa / 100 Km"),
        QStringLiteral("Paljonko auto kuluttaa 100 km:n matkalla polttoainetta"),
        QStringLiteral("Litraa / matka"), QStringLiteral("Paljonko polttoainetta kuluu ajetussa matkassa"),
        QStringLiteral("l"), QStringLiteral("€/L"), QStringLiteral("L/100Km"), QStringLiteral("L")};
    static const EnergyWords diesel{
        QStringLiteral("Dieselin hinta"), petrol.priceUnit,
        QStringLiteral("Aseta tähän paikallisen huoltoaseman dieselin hinta euroissa"),
        QStringLiteral("Dieselinkulutus"), petrol.consumptionUnit, petrol.consumptionTooltip,
        petrol.amountUnit, petrol.amountTooltip,
        petrol.amountSymbol, petrol.chartPriceUnit, petrol.chartConsumptionUnit, petrol.chartAmountUnit};
    static const EnergyWords electricity{
        QStringLiteral("Sähkön hinta"), QStringLiteral("€ / kWh"),
        QStringLiteral("Aseta tähän sähkön hinta euroina kilowattitunnilta"),
        QStringLiteral("Sähkönkulutus"), QStringLiteral("kWh / 100 Km"),
        QStringLiteral("Paljonko auto kuluttaa 100 km:n matkalla sähköä kilowattitunteina"),
        QStringLiteral("kWh / matka"), QStringLiteral("Paljonko sähköä kuluu ajetussa matkassa"),
        QStringLiteral("kWh"), QStringLiteral("€/kWh"), QStringLiteral("kWh/100Km"), QStringLiteral("kWh")};
    static const EnergyWords gas{
        QStringLiteral("Kaasun hinta"), QStringLiteral("€ / kg"),
        QStringLiteral("Aseta tähän paikallisen tankkausaseman kaasun hinta euroina kilolta"),
        QStringLiteral("Kaasunkulutus"), QStringLiteral("kg / 100 Km"),
        QStringLiteral("Paljonko auto kuluttaa 100 km:n matkalla kaasua kiloina"),
        QStringLiteral("kg / matka"), QStringLiteral("Paljonko kaasua kuluu ajetussa matkassa"),
        QStringLiteral("kg"), QStringLiteral("€/kg"), QStringLiteral("kg/100Km"), QStringLiteral("kg")};
    switch (energy) {
    case Energy::Petrol: break;
    case Energy::Diesel: return diesel;
    case Energy::Electricity: return electricity;
    case Energy::Gas: return gas;
    }
    return petrol;
}

} // namespace tankeli
