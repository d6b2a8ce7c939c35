#include "CalibrationState.h"

#include "ErrorMargin.h"

namespace tankeli {

CalibrationState CalibrationState::fromSettings(const QString &displayLine,
                                                const QString &meterLine, bool inUse)
{
    CalibrationState state;
    // The fields are filled one after the other, display first, and the margin follows
    // each change, as when the saved readings are typed in.
    if (displayLine != state.m_displayText)
        state.setReadingTexts(displayLine, state.m_meterText);
    if (meterLine != state.m_meterText)
        state.setReadingTexts(displayLine, meterLine);
    state.m_committedDisplay = commitReading(displayLine).value_or(0);
    state.m_committedMeter = commitReading(meterLine).value_or(0);
    state.m_inUse = inUse;
    return state;
}

std::optional<double> CalibrationState::marginOf(const QString &display, const QString &meter)
{
    if (!commitReading(display) || !commitReading(meter))
        return std::nullopt;
    return Laske_Virhemarginaali(display, meter);
}

void CalibrationState::setReadingTexts(const QString &display, const QString &meter)
{
    m_displayText = display;
    m_meterText = meter;
    const auto margin = marginOf(display, meter);
    if (!margin)
        return;
    m_margin = static_cast<float>(*margin);
    m_marginText = tankeli::marginText(*margin);
}

void CalibrationState::commit(bool inUse)
{
    m_committedDisplay = commitReading(m_displayText).value_or(m_committedDisplay);
    m_committedMeter = commitReading(m_meterText).value_or(m_committedMeter);
    m_inUse = inUse;
    // The window is gone; the next one shows what was committed.
    m_displayText = QString::number(m_committedDisplay);
    m_meterText = QString::number(m_committedMeter);
    m_committedSinceCreation = true;
    // A restart computes the margin from these readings (or keeps the starting 0).
    const auto margin = marginOf(m_displayText, m_meterText);
    m_margin = margin ? static_cast<float>(*margin) : 0.0f;
    m_marginText = margin ? tankeli::marginText(*margin) : QStringLiteral("0");
}

void CalibrationState::windowCreated()
{
    if (!m_committedSinceCreation)
        return;
    m_committedSinceCreation = false;
    // A new window's fields start at "0" and are given the speedometer reading first,
    // then the display reading; its margin field starts at "0".
    m_marginText = QStringLiteral("0");
    const QString display = m_displayText;
    setReadingTexts(QStringLiteral("0"), m_meterText);
    setReadingTexts(display, m_meterText);
}

QString CalibrationState::displaySetting() const
{
    return commitReading(m_displayText) ? m_displayText : QString::number(m_committedDisplay);
}

QString CalibrationState::meterSetting() const
{
    return commitReading(m_meterText) ? m_meterText : QString::number(m_committedMeter);
}

} // namespace tankeli
