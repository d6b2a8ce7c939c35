#pragma once
// Fill-up histories of other programs brought into a vehicle's log: the CSV exports of
// Fuelly, Fuelio (its "## Log" section), Spritmonitor, Drivvo (its "##Refuelling"
// section), LubeLogger and Tankeli's own log. The format is known by its sections and
// column names; each column is found by its name, letter case ignored, among the names
// the format is known to use. Miles and US or UK gallons become kilometres and litres
// where the file names them. A preview tells the format, the fill-ups, their date range
// and every row that cannot become a fill-up, with its row number and why; a fill-up the
// log holds already (same date and odometer) is not taken again.

#include "FillUp.h"
#include "CsvText.h"

#include <QByteArray>

namespace tankeli {

enum class ImportFormat { Tankeli, Fuelly, Fuelio, Spritmonitor, Drivvo, LubeLogger };

// "Tankeli", "Fuelly", …
QString formatName(ImportFormat format);

inline constexpr double kilometresPerMile = 1.609344;
inline constexpr double litresPerUsGallon = 3.785411784;
inline constexpr double litresPerUkGallon = 4.54609;

// A file larger than this is not read.
inline constexpr qsizetype maxFillUpImportBytes = qsizetype(16) << 20;

struct ImportedFillUp
{
    int row = 0; // as a spreadsheet numbers the file's lines
    FillUp fillUp;
};

struct ImportPreview
{
    ImportFormat format = ImportFormat::Tankeli;
    QList<ImportedFillUp> fillUps;   // new to the log, in the log's order
    QList<CsvProblem> refused;       // in row order
    int alreadyInLog = 0;            // rows the log (or an earlier row) holds already
    std::optional<QDate> first;      // the date range of fillUps
    std::optional<QDate> last;
};

// The preview of a file's bytes against the log; fileName names the file in a failure,
// which is a file in none of the formats. today is the latest date taken; energy words the
// fields in the reasons.
Outcome<ImportPreview> previewImport(const QByteArray &bytes, const QString &fileName, const QList<FillUp> &log,
                                     QDate today, Energy energy);
// The same for a file, read only when it is a regular file of at most maxFillUpImportBytes.
Outcome<ImportPreview> previewImportFile(const QString &path, const QList<FillUp> &log, QDate today, Energy energy);

// The log with the preview's fill-ups added, in the log's order.
QList<FillUp> withImported(const QList<FillUp> &log, const ImportPreview &preview);

// The question the import asks: format, fill-ups, date range, and what is left out.
QString previewText(const ImportPreview &preview);

} // namespace tankeli
