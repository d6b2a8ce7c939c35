#pragma once
// The calibration in force, owned by the main window and edited by the calibration
// window: the error margin that the calculation applies, the two readings last
// committed, whether calibration is on, and the reading texts the window shows. It maps
// to and from the settings file's lines 2 to 4.

#include "calculator/TripCalculation.h"

#include <QString>
#include <QtGlobal>

namespace tankeli {

class CalibrationState
{
public:
    // At start-up: the saved readings are both the texts the window shows and the
    // committed readings, and the margin is computed from them.
    static CalibrationState fromSettings(const QString &displayLine, const QString &meterLine,
                                         bool inUse);

    float Virhemarginaali() const { return m_margin; }
    bool Kalibrointi_Kaytossa() const { return m_inUse; }
    Calibration forCalculation() const { return {m_inUse, m_margin}; }

    // What the window's reading fields and its margin field show.
    const QString &displayText() const { return m_displayText; }
    const QString &meterText() const { return m_meterText; }
    const QString &marginText() const { return m_marginText; }

    // A reading field changed: the margin follows when both texts are readings that can
    // be kept (commitReading) and give a margin, and otherwise stays as it was.
    void setReadingTexts(const QString &display, const QString &meter);
    // The window closes: a reading that cannot be kept keeps its committed value; the
    // other reading and the choice are committed all the same. The margin in force is
    // then the one of the committed readings, as it will be after a restart.
    void commit(bool inUse);
    // A window is created: after a commit it shows the committed readings, and the
    // margin is computed from them, as a freshly loaded window would.
    void windowCreated();

    // Lines 2 and 3 of the settings file: the reading texts where they are readings,
    // else the committed readings, so that a stray text never costs the calibration.
    QString displaySetting() const;
    QString meterSetting() const;

private:
    // The margin of two readings, when both count.
    static std::optional<double> marginOf(const QString &display, const QString &meter);

    QString m_displayText = QStringLiteral("0");
    QString m_meterText = QStringLiteral("0");
    QString m_marginText = QStringLiteral("0");
    float m_margin = 0;
    qint16 m_committedDisplay = 0;
    qint16 m_committedMeter = 0;
    bool m_inUse = false;
    bool m_committedSinceCreation = false;
};

} // namespace tankeli
