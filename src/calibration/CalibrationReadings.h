#pragma once
// The two speedometer readings as texts, and the error margin that follows every
// change of either: a change that does not give a margin keeps the previous one.

#include <QString>
#include <optional>

namespace tankeli {

class CalibrationReadings
{
public:
    QString display() const { return m_display; } // txt_Taulu
    QString meter() const { return m_meter; }     // txt_Mittari
    // The last margin that could be computed, and its text ("5 %"); none before that.
    std::optional<float> margin() const { return m_margin; }
    QString marginText() const { return m_marginText; }

    // Set a reading as a change of its field would: only a changed text recomputes.
    void setDisplay(const QString &text);
    void setMeter(const QString &text);

private:
    void recompute();
    QString m_display = QStringLiteral("0");
    QString m_meter = QStringLiteral("0");
    std::optional<float> m_margin;
    QString m_marginText = QStringLiteral("0");
};

} // namespace tankeli
