#pragma once
// The settings file Data/Arvot.txt: five lines read at start-up and rewritten whole
// when the program closes.

#include <QString>
#include <optional>

namespace tankeli {

struct Settings
{
    QString price;            // line 1: the price field's text, unchanged
    QString displayReading;   // line 2: the calibration display-speed field's text
    QString meterReading;     // line 3: the calibration speedometer field's text
    bool calibrationInUse = false; // line 4: "True" or "False"
    bool timeView = false;    // line 5: whether the time view is on
};

struct SettingsRead
{
    std::optional<Settings> settings;
    QString error; // names the file and the fault when settings is empty
};

class SettingsFile
{
public:
    explicit SettingsFile(QString path);

    SettingsRead read() const;
    // Replaces the file atomically; returns an error message, empty on success.
    QString write(const Settings &settings) const;

    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace tankeli
