#include "FillUpSummary.h"

#include "SummaryFigures.h"

namespace tankeli {

FillUpSummary summarizeFillUps(const LogReading &log, Energy energy, const Calibration &calibration)
{
    FillUpSummary summary;
    summary.problem = log.problem;
    summary.energy = energy;
    summary.corrected = calibration.inUse && distanceCorrection(calibration) != 1.0;
    const WorkedLog worked = workOutLog(log.fillUps, calibration);
    PeriodSums all;
    RatioSums price;
    PeriodTable periods;
    for (qsizetype i = 0; i < log.fillUps.size(); ++i) {
        const FillUp &fillUp = log.fillUps[i];
        const WorkedRow &row = worked.rows[i];
        PeriodShare share{row.driven.value_or(0), fillUp.amount, fillUp.total, {}, {}};
        if (row.consumption) {
            share.consumedAmount = row.chainAmount;
            share.consumedDistance = row.chainDistance;
        }
        all.add(share);
        periods.add(fillUp.date, share);
        price.add(fillUp.total, fillUp.amount);
    }
    summary.totals = all.totals;
    summary.averageConsumption = all.consumption.ratio(100);
    summary.averagePrice = price.ratio(1);
    RatioSums perKilometre;
    perKilometre.add(worked.chainCost, worked.chainDistance);
    summary.pricePerKilometre = perKilometre.ratio(1);
    summary.periods = periods.periods();
    return summary;
}

QList<SummaryLine> fillUpSummaryLines(const FillUpSummary &summary)
{
    const TripTotals &totals = summary.totals;
    const QString amount = energyWords(summary.energy).amountSymbol;
    return {
        {QStringLiteral("Tankkauksia"), QString::number(totals.trips), {}, {}},
        {QStringLiteral("Ajettu yhteensä"), numberText(totals.distance), QStringLiteral("km"), {}},
        {usedPartitive(summary.energy) + QStringLiteral(" yhteensä"), numberText(totals.litres), amount, {}},
        {QStringLiteral("Kustannukset yhteensä"), roundedText(totals.cost, 2), QStringLiteral("€"), {}},
        {QStringLiteral("Mitattu keskikulutus"), averageText(summary.averageConsumption, 2),
         consumptionUnit(summary.energy), {}},
        {QStringLiteral("Keskihinta"), averageText(summary.averagePrice, 2), QStringLiteral("€/") + amount, {}},
        {QStringLiteral("Kilometrihinta"), averageText(summary.pricePerKilometre, 3), QStringLiteral("€/km"), {}},
    };
}

QStringList fillUpPeriodColumns(Energy energy)
{
    return periodColumnsWith(QStringLiteral("Tankkauksia"), QStringLiteral("Ajettu"), energy);
}

QStringList fillUpSummaryNotes(const FillUpSummary &summary)
{
    QStringList notes;
    if (!summary.problem.isEmpty())
        notes << summary.problem;
    if (summary.corrected)
        notes << QStringLiteral("Tankkausten kilometrit on korjattu nopeusmittarin virheellä, kuten laskin ne korjaa.");
    const QStringList tooLargeOnes = tooLargeFigures(fillUpSummaryLines(summary), summary.periods, fillUpPeriodColumns(summary.energy));
    if (!tooLargeOnes.isEmpty())
        notes << QStringLiteral("Tankkauksista liian suuri näytettäväksi: %1. Tarkista tankkaukset.")
                     .arg(tooLargeOnes.join(QStringLiteral(", ")));
    return notes;
}

QString fillUpSummaryText(const FillUpSummary &summary)
{
    return QStringLiteral("Tankkaukset\n")
        + tableText(fillUpSummaryLines(summary), fillUpPeriodColumns(summary.energy), summary.periods);
}

} // namespace tankeli
