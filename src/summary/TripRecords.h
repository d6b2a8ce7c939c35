#pragma once
// The saved trips as the summary and the spreadsheet take them: every listed record read
// whole, in list order, and the date that a record named in the default form was saved on.

#include "records/RecordStore.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace tankeli {

// One listed record: its five values, or why it could not be read.
struct ReadTrip
{
    QString name;
    std::optional<RecordValues> values;
    QString problem; // the store's Finnish message where there are no values
};

// A record left out of a summary or an export, and why, in Finnish.
struct LeftOutTrip
{
    QString name;
    QString reason;
    bool operator==(const LeftOutTrip &) const = default;
};

// One listed record, read as the file window opens one (all five lines, none too long).
ReadTrip readTrip(const RecordStore &store, const RecordEntry &entry);
// Every record of the store's list, read as the file window opens one (all five lines,
// none too long). The failure is the list's own: a folder that cannot be read.
Outcome<QList<ReadTrip>> readTrips(const RecordStore &store);

// The date of a name in the default form, "2024_03_07.sav"; nullopt for any other name,
// a date not in the calendar ("2024_02_30.sav") and zeros the default form never has.
std::optional<QDate> dateOfRecordName(const QString &name);

} // namespace tankeli
