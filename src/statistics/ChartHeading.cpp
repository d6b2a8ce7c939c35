#include "ChartHeading.h"

#include "base/FailureText.h"

namespace tankeli {

QStringList chartHeading(const ChartPlan &plan)
{
    if (plan.names.isEmpty())
        return {};
    // Two names of this length still fit beside each other on a printed page.
    constexpr qsizetype longestName = 40;
    const ChartSelector &quantity = chartSelector(plan.selector, plan.energy);
    return {QStringLiteral("%1 (%2)").arg(quantity.caption, quantity.unit),
            (plan.days.isEmpty() ? QStringLiteral("%1 matkaa: %2 – %3") : QStringLiteral("%1 tankkausväliä: %2 – %3"))
                .arg(QString::number(plan.names.size()), elideMiddle(plan.names.constFirst(), longestName),
                     elideMiddle(plan.names.constLast(), longestName))};
}

} // namespace tankeli
