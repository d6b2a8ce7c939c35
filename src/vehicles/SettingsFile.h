#pragma once
// The settings file Data/Arvot.txt: five lines read at start-up and rewritten whole
// when the program closes.

#include "base/Outcome.h"

#include <QString>

namespace tankeli {

struct Settings
{
    QString price;                 // line 1: the price field's text, unchanged
    QString displayReading;        // line 2: the roadside display's reading
    QString meterReading;          // line 3: the speedometer's reading
    bool calibrationInUse = false; // line 4: "True" or "False"
    bool timeView = false;         // line 5: whether the time view is on
};

class SettingsFile
{
public:
    explicit SettingsFile(QString path);

    // The five lines, or a message naming the file and the fault.
    Outcome<Settings> read();
    // Replaces the file atomically, keeping the old one whenever it cannot. A price that
    // the file cannot hold is replaced by the price the file holds (as last read or
    // written), so that one bad field never costs the other settings; the file is
    // written and the message says so.
    Done write(const Settings &settings);

    QString path() const { return m_path; }

    // A line longer than this is refused: no setting needs a fraction of it.
    static constexpr qsizetype maxLineBytes = 64 * 1024;

private:
    QString m_path;
    QString m_storedPrice; // line 1 as the file holds it, since the last read or write
};

} // namespace tankeli
