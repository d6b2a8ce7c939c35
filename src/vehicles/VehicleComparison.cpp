#include "VehicleComparison.h"

#include "calculator/NumberText.h"
#include "calculator/TripCalculation.h"
#include "calibration/CalibrationState.h"
#include "fillups/FillUpLog.h"
#include "summary/TripSummary.h"

#include <algorithm>
#include <cmath>

namespace tankeli {
namespace {

const QString nothing = QStringLiteral("–");

Calibration calibrationOf(const Settings &settings)
{
    return CalibrationState::fromSettings(settings.displayReading, settings.meterReading, settings.calibrationInUse)
        .forCalculation();
}

// The consumption the vehicle is best compared with, and where it comes from: what its
// fill-ups measured (with its own calibration, as its calculator would take it) before
// the average of its trips.
void chooseConsumption(ComparedVehicle &compared, const Garage &garage, int index, const Calibration &calibration)
{
    const LogReading log = readFillUpLog(garage.folders(index).dataFolder() + QLatin1Char('/') + fillUpLogName);
    if (const WorkedLog worked = workOutLog(log.fillUps, calibration); worked.average) {
        compared.consumption = worked.average;
        compared.source = ConsumptionSource::FillUps;
        return;
    }
    const TripSummary trips = summarizeStore(RecordStore(garage.folders(index).recordFolder()));
    if (trips.averageConsumption && std::isfinite(*trips.averageConsumption)) {
        compared.consumption = trips.averageConsumption;
        compared.source = ConsumptionSource::Trips;
        return;
    }
    if (const auto last = textToDouble(garage.info(index).lastConsumption); last && *last > 0) {
        compared.consumption = *last;
        compared.source = ConsumptionSource::LastCalculated;
    }
}

void workOutPrices(ComparedVehicle &compared, const Settings &settings, const QString &distance)
{
    compared.price = settings.price;
    if (!compared.consumption)
        return;
    const CalibrationState calibration =
        CalibrationState::fromSettings(settings.displayReading, settings.meterReading, settings.calibrationInUse);
    const QString zero = QStringLiteral("0");
    TripTexts texts{settings.price, singleToText(float(*compared.consumption)), distance, zero, zero, zero, zero};
    const Outcome<TripTexts> trip = calculateTrip(texts, calibration.forCalculation());
    const auto price = textToDouble(settings.price);
    if (!trip || !price || *price <= 0) {
        compared.problem = QStringLiteral("hinta \"%1\" ei ole luku, jolla voi laskea").arg(settings.price);
        return;
    }
    compared.tripPrice = textToDouble((*trip)[TripPrice]);
    compared.monthPrice = textToDouble((*trip)[MonthPrice]);
    compared.yearPrice = textToDouble((*trip)[YearPrice]);
}

QString moneyOrNothing(const std::optional<double> &euros)
{
    return euros ? roundedText(*euros, 2) + QStringLiteral(" €") : nothing;
}

} // namespace

Outcome<QList<ComparedVehicle>> compareVehicles(const Garage &garage, const QString &distance,
                                                const Settings &chosenSettings)
{
    const auto length = textToSingle(distance);
    if (!length || *length <= 0)
        return Outcome<QList<ComparedVehicle>>::failure(comparisonNeedsDistance);
    QList<ComparedVehicle> compared;
    for (int i = 0; i < garage.count(); ++i) {
        ComparedVehicle vehicle;
        vehicle.name = garage.info(i).name;
        vehicle.energy = garage.info(i).energy;
        const Outcome<Settings> settings = i == garage.current() ? Outcome<Settings>(chosenSettings)
                                                                 : SettingsFile(garage.folders(i).settingsFile()).read();
        chooseConsumption(vehicle, garage, i, settings ? calibrationOf(*settings) : Calibration{});
        if (settings)
            workOutPrices(vehicle, *settings, distance);
        else
            vehicle.problem = settings.error();
        compared.append(vehicle);
    }
    // Cheapest first; a vehicle without a price after every one with one, in menu order.
    std::stable_sort(compared.begin(), compared.end(), [](const ComparedVehicle &a, const ComparedVehicle &b) {
        return a.tripPrice && (!b.tripPrice || *a.tripPrice < *b.tripPrice);
    });
    return compared;
}

QStringList comparisonHeader()
{
    return {QStringLiteral("Ajoneuvo"), QStringLiteral("Käyttövoima"), QStringLiteral("Kulutus"),
            QStringLiteral("Hinta"), QStringLiteral("Matkan hinta"), QStringLiteral("Kuukausihinta"),
            QStringLiteral("Vuosihinta")};
}

QStringList comparisonCells(const ComparedVehicle &vehicle)
{
    const EnergyWords &words = energyWords(vehicle.energy);
    const QString consumption = vehicle.consumption
        ? roundedText(*vehicle.consumption, 2) + QLatin1Char(' ') + words.amountSymbol + QStringLiteral("/100 km")
        : nothing;
    const QString price = vehicle.price.isEmpty() ? nothing : vehicle.price + QStringLiteral(" €/") + words.amountSymbol;
    return {vehicle.name, energyName(vehicle.energy), consumption, price, moneyOrNothing(vehicle.tripPrice),
            moneyOrNothing(vehicle.monthPrice), moneyOrNothing(vehicle.yearPrice)};
}

} // namespace tankeli
