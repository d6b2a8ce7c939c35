#pragma once
// The saved trips as a spreadsheet file that Calc and Excel open as it is: UTF-8 with a
// byte-order mark, fields between semicolons, CR LF line ends, and a field quoted (its
// quotes doubled) where it holds a semicolon, a quote or a line break. An export holds
// one row per listed record; an import first plans (the rows that cannot become records,
// the names that are saved already) and then writes what the user accepts.

#include "TripRecords.h"

#include "calculator/Energy.h"
#include "fillups/CsvText.h"

#include <QStringList>
#include <functional>

namespace tankeli {

inline const QStringList spreadsheetHeader{
    QStringLiteral("Tiedosto"), QStringLiteral("Päivämäärä"), QStringLiteral("Bensanhinta (€/l)"),
    QStringLiteral("Bensankulutus (l/100 km)"), QStringLiteral("Matka (km)"),
    QStringLiteral("Yhteishinta (€)"), QStringLiteral("Kokonaiskulutus (l)")};
// The header of a vehicle of this energy: petrol's is spreadsheetHeader.
QStringList spreadsheetHeaderFor(Energy energy);

// A file larger than this is refused before it is parsed.
inline constexpr qsizetype maxImportBytes = qsizetype(8) << 20;
// A file of more trips than this is refused before anything is written: a list of so
// many is no longer of use, and writing them would take the better part of an hour.
inline constexpr qsizetype maxImportRows = 100000;

// Asked before each record with how many of how many are done; false stops the work
// there, between two records (a cancel, a request to end the program).
using BetweenRecords = std::function<bool(qsizetype done, qsizetype total)>;

// The whole file: the header, then each readable trip's name, its date in ISO form
// ("2024-03-07", empty for a name that is not a date) and its five values as the record
// holds them; a cell a spreadsheet would take for a formula ("=…", "@…") is written as
// text behind an apostrophe, which the import takes off. A trip that could not be read
// has no values to write and is left out.
QByteArray spreadsheetBytes(const QList<ReadTrip> &trips, Energy energy = Energy::Petrol);

struct SpreadsheetExport
{
    int written = 0;
    QList<LeftOutTrip> leftOut; // the records that could not be read
    bool stopped = false;       // stopped before the last record: no file was written
};

// Writes every listed record of the store to the file at path, replacing it atomically.
// Stopped while the records are read, it writes nothing.
Outcome<SpreadsheetExport> exportSpreadsheet(const RecordStore &store, const QString &path,
                                             const BetweenRecords &goOn = {}, Energy energy = Energy::Petrol);

// Reads UTF-8 (Windows-1252 where the bytes are not UTF-8), with or without the
// byte-order mark, or UTF-16 with its byte-order mark; lines ending in CR LF, LF or CR.
CsvRows parseSpreadsheet(const QByteArray &bytes);

struct ImportRecord
{
    int row = 0;
    RecordEntry entry;
    RecordValues values;
    bool exists = false; // a record of the name is saved already
};

struct ImportPlan
{
    QList<ImportRecord> records;
    QList<CsvProblem> refused; // in row order
    QStringList existingNames() const;
};

// Reads the file (a regular file of at most maxImportBytes) and plans the records: each
// row's name is taken as a typed name (".sav" added where missing), and its date column
// is not read, since the name holds the date. A row with other than seven fields, a name
// or a value the store refuses, or a name an earlier row has, is refused. A file that is
// not such a spreadsheet at all, or holds more than maxImportRows rows of trips, is a
// failure naming it; so is the spreadsheet of a vehicle of another energy, naming both.
Outcome<ImportPlan> planImport(const RecordStore &store, const QString &path, Energy energy = Energy::Petrol);
// The same for a file's bytes; fileName names it in the failure.
Outcome<ImportPlan> planImport(const RecordStore &store, const QString &fileName,
                               const QByteArray &bytes, Energy energy = Energy::Petrol);

struct ImportResult
{
    int written = 0;
    int kept = 0;              // existing records left as they were
    QList<CsvProblem> failed;  // records the store could not write
    int notReached = 0;        // planned records left when the import was stopped
};

// Writes each planned record whole or not at all. A record that existed when the plan was
// made is replaced only when replaceExisting; a record saved since the plan is kept.
// Stopped, it keeps every record written so far.
ImportResult applyImport(RecordStore &store, const ImportPlan &plan, bool replaceExisting,
                         const BetweenRecords &goOn = {});

} // namespace tankeli
