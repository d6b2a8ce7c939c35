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
// the speedometer reading, so the true distance is distance × f in every case.
void solveFirstCase(Values &v, float f, CheckedArithmetic &a)
{
    if (v.consumption > 0 && v.distance > 0) { // A
        v.litres = a.store(a.mul(a.mul(a.mul(v.distance, f), v.consumption), 0.01));
        v.tripPrice = a.store(a.mul(v.litres, v.price));
    } else if (v.distance > 0 && v.litres > 0) { // B
        v.consumption = a.store(a.div(a.mul(v.litres, 100.0f), a.mul(v.distance, f)));
        v.tripPrice = a.store(a.mul(v.litres, v.price));
    } else if (v.tripPrice > 0 && v.distance > 0) { // C
        v.litres = a.store(a.div(v.tripPrice, v.price));
        v.consumption = a.store(a.mul(a.div(v.litres, a.mul(v.distance, f)), 100.0f));
    } else if (v.consumption > 0 && v.litres > 0) { // D
        // The distance written back is the reading that f corrects, so that the next
        // calculation (case A) gives back the same litres and trip price.
        v.distance = a.store(a.div(a.mul(a.div(v.litres, v.consumption), 100.0f), f));
        v.tripPrice = a.store(
            a.mul(a.mul(a.mul(a.mul(v.distance, f), v.consumption), v.price), 0.01));
    } else if (v.consumption > 0 && v.tripPrice > 0) { // E
        v.litres = a.store(a.div(v.tripPrice, v.price));
        v.distance = a.store(a.mul(a.div(v.litres, v.consumption), 100.0f));
    }
}

} // namespace

Outcome<TripTexts> calculateTrip(const TripTexts &fields, const Calibration &calibration)
{
    CheckedArithmetic a;
    const float f = calibration.inUse
        ? a.store(double(calibration.marginPercent) * 0.01 + 1.0)
        : 1.0f;

    std::array<float, TripFieldCount> n{};
    for (int i = 0; i < TripFieldCount; ++i) {
        const auto value = textToSingle(fields[i]);
        if (!value)
            return Outcome<TripTexts>::failure(tripFailureMessage);
        n[i] = *value;
    }
    Values v{n[Price], n[Consumption], n[Distance], n[TripPrice], n[Litres],
             n[MonthPrice], n[YearPrice]};

    solveFirstCase(v, f, a);
    v.monthPrice = 0;
    v.yearPrice = 0;
    if (v.tripPrice > 0) {
        v.monthPrice = a.store(a.mul(v.tripPrice, daysPerMonth));
        v.yearPrice = a.store(a.mul(v.tripPrice, daysPerYear));
    }
    if (a.failed())
        return Outcome<TripTexts>::failure(tripFailureMessage);

    return TripTexts{singleToText(v.price),     singleToText(v.consumption),
                     singleToText(v.distance),  singleToText(v.tripPrice),
                     singleToText(v.litres),    singleToText(v.monthPrice),
                     singleToText(v.yearPrice)};
}

} // namespace tankeli
