#include "TripCalculation.h"

#include "CheckedArithmetic.h"
#include "NumberText.h"

namespace tankeli {
namespace {

constexpr float daysPerMonth = 30.0f;
constexpr float daysPerYear = 365.0f;

struct Values
{
    float price, consumption, distance, tripPrice, litres, monthPrice, yearPrice;
};

// Fills in the first pair-case that applies. With calibration the distance field is
// the speedometer reading, so the true distance is distance × correction in every case.
// Every step goes through the checked arithmetic, which notes any overflow or division
// by zero, and is stored in single precision. False when no case applies.
bool solveFirstCase(Values &trip, float correction, CheckedArithmetic &checked)
{
    if (trip.consumption > 0 && trip.distance > 0) { // A
        // litres = distance × correction × consumption × 0.01; trip price = litres × price
        trip.litres = checked.store(checked.mul(
            checked.mul(checked.mul(trip.distance, correction), trip.consumption), 0.01));
        trip.tripPrice = checked.store(checked.mul(trip.litres, trip.price));
    } else if (trip.distance > 0 && trip.litres > 0) { // B
        // consumption = litres × 100 / (distance × correction); trip price = litres × price
        trip.consumption = checked.store(
            checked.div(checked.mul(trip.litres, 100.0f), checked.mul(trip.distance, correction)));
        trip.tripPrice = checked.store(checked.mul(trip.litres, trip.price));
    } else if (trip.tripPrice > 0 && trip.distance > 0) { // C
        // litres = trip price / price; consumption = litres / (distance × correction) × 100
        trip.litres = checked.store(checked.div(trip.tripPrice, trip.price));
        trip.consumption = checked.store(
            checked.mul(checked.div(trip.litres, checked.mul(trip.distance, correction)), 100.0f));
    } else if (trip.consumption > 0 && trip.litres > 0) { // D
        // distance = litres / consumption × 100 / correction;
        // trip price = distance × correction × consumption × price × 0.01
        // The distance written back is the reading that the correction applies to, so
        // that the next calculation (case A) gives back the same litres and trip price.
        trip.distance = checked.store(
            checked.div(checked.mul(checked.div(trip.litres, trip.consumption), 100.0f), correction));
        trip.tripPrice = checked.store(checked.mul(
            checked.mul(checked.mul(checked.mul(trip.distance, correction), trip.consumption), trip.price),
            0.01));
    } else if (trip.consumption > 0 && trip.tripPrice > 0) { // E
        // litres = trip price / price; distance = litres / consumption × 100 (uncorrected)
        trip.litres = checked.store(checked.div(trip.tripPrice, trip.price));
        trip.distance = checked.store(checked.mul(checked.div(trip.litres, trip.consumption), 100.0f));
    } else {
        return false;
    }
    return true;
}

} // namespace

Outcome<TripTexts> calculateTrip(const TripTexts &fields, const Calibration &calibration)
{
    CheckedArithmetic checked;
    // correction = 1 + margin / 100, the factor from the speedometer's reading to the
    // true distance.
    const float correction = calibration.inUse
        ? checked.store(double(calibration.marginPercent) * 0.01 + 1.0)
        : 1.0f;

    std::array<float, TripFieldCount> number{};
    for (int i = 0; i < TripFieldCount; ++i) {
        const auto value = textToSingle(fields[i]);
        if (!value)
            return Outcome<TripTexts>::failure(tripFailureMessage);
        number[i] = *value;
    }
    Values trip{number[Price], number[Consumption], number[Distance], number[TripPrice],
                number[Litres], number[MonthPrice], number[YearPrice]};

    const bool solved = solveFirstCase(trip, correction, checked);
    // Too few values: nothing to work out, not even a month price. Said, not passed over
    // in silence, so that the user knows the command was heard.
    if (!solved && !(trip.tripPrice > 0))
        return Outcome<TripTexts>::failure(tripFailureMessage);
    // month price = trip price × 30; year price = trip price × 365; 0 without a trip price
    trip.monthPrice = 0;
    trip.yearPrice = 0;
    if (trip.tripPrice > 0) {
        trip.monthPrice = checked.store(checked.mul(trip.tripPrice, daysPerMonth));
        trip.yearPrice = checked.store(checked.mul(trip.tripPrice, daysPerYear));
    }
    if (checked.failed())
        return Outcome<TripTexts>::failure(tripFailureMessage);

    return TripTexts{singleToText(trip.price),     singleToText(trip.consumption),
                     singleToText(trip.distance),  singleToText(trip.tripPrice),
                     singleToText(trip.litres),    singleToText(trip.monthPrice),
                     singleToText(trip.yearPrice)};
}

} // namespace tankeli
