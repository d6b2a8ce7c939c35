#include "TripSpreadsheet.h"

#include "base/AtomicFile.h"
#include "base/EightBitText.h"
#include "base/FailureText.h"
#include "base/LineReader.h"
#include "calculator/NumberText.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>
#include <cerrno>
#include <utility>
#include <unistd.h>

namespace tankeli {
namespace {

// The whole file, or why it cannot be had: only a regular file is opened, and no more
// of it is read than one byte past the limit.
Outcome<QByteArray> readImportFile(const QString &path, const QString &shown)
{
    return readWholeFile(path, maxImportBytes, shown,
                         QStringLiteral("Tiedostoa %1 ei voitu tuoda: se on suurempi kuin %2 Mt, eikä niin suurta "
                                        "taulukkoa tuoda.").arg(shown).arg(maxImportBytes >> 20));
}

} // namespace

QStringList spreadsheetHeaderFor(Energy energy)
{
    if (energy == Energy::Petrol)
        return spreadsheetHeader;
    const EnergyWords &words = energyWords(energy);
    const QString amount = words.amountSymbol;
    return {spreadsheetHeader[0], spreadsheetHeader[1],
            words.priceCaption + QStringLiteral(" (€/") + amount + QLatin1Char(')'),
            words.consumptionCaption + QStringLiteral(" (") + amount + QStringLiteral("/100 km)"),
            spreadsheetHeader[4], spreadsheetHeader[5], QStringLiteral("Kokonaiskulutus (") + amount + QLatin1Char(')')};
}

QByteArray spreadsheetBytes(const QList<ReadTrip> &trips, Energy energy)
{
    QByteArray out = utf8ByteOrderMark + spreadsheetLine(spreadsheetHeaderFor(energy));
    out.reserve(out.size() + trips.size() * 64);
    QStringList fields;
    for (const ReadTrip &trip : trips) {
        if (!trip.values)
            continue;
        const std::optional<QDate> date = dateOfRecordName(trip.name);
        fields = {cellForSpreadsheet(trip.name), date ? date->toString(Qt::ISODate) : QString()};
        for (const QString &value : *trip.values)
            fields.append(cellForSpreadsheet(value));
        out += spreadsheetLine(fields);
    }
    return out;
}

Outcome<SpreadsheetExport> exportSpreadsheet(const RecordStore &store, const QString &path, const BetweenRecords &goOn,
                                             Energy energy)
{
    const Outcome<QList<RecordEntry>> entries = store.list();
    if (!entries)
        return Outcome<SpreadsheetExport>::failure(entries.error());
    SpreadsheetExport report;
    QList<ReadTrip> trips;
    trips.reserve(entries->size());
    for (const RecordEntry &entry : *entries) {
        if (goOn && !goOn(trips.size(), entries->size()))
            return SpreadsheetExport{0, {}, true};
        trips.append(readTrip(store, entry));
        if (trips.back().values)
            ++report.written;
        else
            report.leftOut.append({trips.back().name, trips.back().problem});
    }
    if (const Done written = replaceChosenFile(QFile::encodeName(path), spreadsheetBytes(trips, energy)); !written)
        return Outcome<SpreadsheetExport>::failure(
            QStringLiteral("Taulukkoa %1 ei voitu tallentaa: %2.").arg(shownPath(path), written.error()));
    return report;
}

CsvRows parseSpreadsheet(const QByteArray &bytes)
{
    return parseCsv(decodeText(bytes), u';');
}

QStringList ImportPlan::existingNames() const
{
    QStringList names;
    for (const ImportRecord &record : records)
        if (record.exists)
            names.append(record.entry.name);
    return names;
}

Outcome<ImportPlan> planImport(const RecordStore &store, const QString &path, Energy energy)
{
    const QString shown = shownPath(path);
    const Outcome<QByteArray> bytes = readImportFile(path, shown);
    if (!bytes)
        return Outcome<ImportPlan>::failure(bytes.error());
    return planImport(store, shown, *bytes, energy);
}

Outcome<ImportPlan> planImport(const RecordStore &store, const QString &fileName, const QByteArray &bytes,
                               Energy energy)
{
    const CsvRows parsed = parseSpreadsheet(bytes);
    const QStringList header = spreadsheetHeaderFor(energy);
    const bool headed = !parsed.rows.isEmpty() && parsed.rows[0].row == 1;
    for (const Energy other : allEnergies)
        if (headed && other != energy && parsed.rows[0].fields == spreadsheetHeaderFor(other))
            return Outcome<ImportPlan>::failure(
                QStringLiteral("Taulukko %1 on viety ajoneuvosta, jonka käyttövoima on %2, mutta valitun "
                               "ajoneuvon käyttövoima on %3. Valitse Ajoneuvo-valikosta oikea ajoneuvo ja tuo "
                               "taulukko uudelleen.")
                    .arg(fileName, energyName(other), energyName(energy)));
    if (!headed || parsed.rows[0].fields != header)
        return Outcome<ImportPlan>::failure(
            QStringLiteral("Tiedosto %1 ei ole matkojen taulukko: sen ensimmäisellä rivillä pitää olla "
                           "sarakkeet %2.").arg(fileName, header.join(QStringLiteral("; "))));
    if (const qsizetype trips = parsed.rows.size() - 1; trips > maxImportRows) {
        const QLocale finnish(QLocale::Finnish);
        return Outcome<ImportPlan>::failure(
            QStringLiteral("Taulukkoa %1 ei tuotu: siinä on %2 matkan riviä, ja kerralla voi tuoda enintään %3 "
                           "matkaa. Jaa taulukko osiin.").arg(fileName, finnish.toString(trips), finnish.toString(maxImportRows)));
    }
    const Outcome<QList<RecordEntry>> listed = store.list();
    if (!listed)
        return Outcome<ImportPlan>::failure(listed.error());
    // Names whose file is not UTF-8 on disk are found through the list once, not by a
    // search of the folder for every row.
    QSet<QString> eightBitNames;
    for (const RecordEntry &entry : *listed)
        if (!entry.fileName.isValidUtf8())
            eightBitNames.insert(entry.name);
    ImportPlan plan;
    QHash<QString, int> rowOfName;
    for (const CsvRow &row : parsed.rows.mid(1)) {
        const auto refuse = [&plan, &row](const QString &reason) { plan.refused.append({row.row, reason}); };
        if (row.fields.size() != header.size()) {
            refuse(QStringLiteral("Sarakkeita on %1, kun niitä pitää olla %2.")
                       .arg(row.fields.size()).arg(header.size()));
            continue;
        }
        const QString name = RecordStore::finalName(cellFromSpreadsheet(row.fields[0]));
        const RecordEntry entry = eightBitNames.contains(name) ? store.entryNamed(name)
                                                              : RecordEntry{name, name.toUtf8()};
        std::optional<QString> problem = store.saveProblem(entry);
        RecordValues values;
        for (int line = 0; line < RecordLineCount && !problem; ++line) {
            values[line] = cellFromSpreadsheet(row.fields[2 + line]);
            problem = RecordStore::valueProblem(values[line]);
        }
        if (!problem && rowOfName.contains(name))
            problem = QStringLiteral("Nimi %1 on jo rivillä %2.").arg(elideMiddle(name)).arg(rowOfName[name]);
        if (problem) {
            refuse(*problem);
            continue;
        }
        rowOfName.insert(name, row.row);
        plan.records.append({row.row, entry, values, store.exists(entry)});
    }
    plan.refused += parsed.problems;
    return plan;
}

ImportResult applyImport(RecordStore &store, const ImportPlan &plan, bool replaceExisting, const BetweenRecords &goOn)
{
    ImportResult result;
    const qsizetype total = plan.records.size();
    for (qsizetype i = 0; i < total; ++i) {
        if (goOn && !goOn(i, total)) {
            result.notReached = int(total - i);
            break;
        }
        const ImportRecord &record = plan.records[i];
        // The answer covers the records the user was asked about; one saved since the plan
        // (by the file window, say) was never asked about and is kept.
        const bool replace = replaceExisting && record.exists;
        if (!replace && (record.exists || store.exists(record.entry))) {
            ++result.kept;
            continue;
        }
        if (const Done written = store.write(record.entry, record.values); written)
            ++result.written;
        else
            result.failed.append({record.row, written.error()});
    }
    return result;
}

} // namespace tankeli
