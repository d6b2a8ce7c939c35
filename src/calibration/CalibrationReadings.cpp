#include "CalibrationReadings.h"

#include "ErrorMargin.h"

namespace tankeli {

void CalibrationReadings::setDisplay(const QString &text)
{
    if (text == m_display)
        return;
    m_display = text;
    recompute();
}

void CalibrationReadings::setMeter(const QString &text)
{
    if (text == m_meter)
        return;
    m_meter = text;
    recompute();
}

void CalibrationReadings::recompute()
{
    const auto margin = Laske_Virhemarginaali(m_display, m_meter);
    if (!margin)
        return;
    m_margin = static_cast<float>(*margin);
    m_marginText = tankeli::marginText(*margin);
}

} // namespace tankeli
