#include "TripRecords.h"

namespace tankeli {

ReadTrip readTrip(const RecordStore &store, const RecordEntry &entry)
{
    const Outcome<RecordValues> values = store.read(entry);
    if (!values)
        return {entry.name, std::nullopt, values.error()};
    return {entry.name, *values, QString()};
}

Outcome<QList<ReadTrip>> readTrips(const RecordStore &store)
{
    const Outcome<QList<RecordEntry>> entries = store.list();
    if (!entries)
        return Outcome<QList<ReadTrip>>::failure(entries.error());
    QList<ReadTrip> trips;
    trips.reserve(entries->size());
    for (const RecordEntry &entry : *entries)
        trips.append(readTrip(store, entry));
    return trips;
}

std::optional<QDate> dateOfRecordName(const QString &name)
{
    // year_mm_dd.sav: the separators stand 10 and 7 characters from the end.
    const qsizetype size = name.size();
    if (size < 11 || !name.endsWith(QLatin1String(".sav")) || name[size - 10] != u'_' || name[size - 7] != u'_')
        return std::nullopt;
    const QStringView view(name);
    bool yearRead = false;
    bool monthRead = false;
    bool dayRead = false;
    const int year = view.first(size - 10).toInt(&yearRead);
    const int month = view.sliced(size - 9, 2).toInt(&monthRead);
    const int day = view.sliced(size - 6, 2).toInt(&dayRead);
    const QDate date(year, month, day);
    // Only the very form a new record is named in: no sign, no space, no missing zero.
    if (!yearRead || !monthRead || !dayRead || year <= 0 || !date.isValid()
        || RecordStore::defaultName(date) != view.chopped(4))
        return std::nullopt;
    return date;
}

} // namespace tankeli
