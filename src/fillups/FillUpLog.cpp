#include "FillUpLog.h"

#include "base/AtomicFile.h"
#include "CsvText.h"
#include "base/FailureText.h"
#include "calculator/NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <array>

namespace tankeli {
namespace {

const QString yes = QStringLiteral("kyllä");
const QString no = QStringLiteral("ei");

// A column's name without its unit, in lower case: "määrä" of "Määrä (kWh)".
QString bareTitle(const QString &title)
{
    const qsizetype unit = title.indexOf(QStringLiteral(" ("));
    return (unit < 0 ? title : title.left(unit)).trimmed().toLower();
}

std::optional<bool> truthFromText(const QString &text)
{
    // The log's own words are told without a lowered copy.
    if (text == yes)
        return true;
    if (text == no)
        return false;
    const QString t = text.trimmed().toLower();
    if (t == yes || t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1"))
        return true;
    if (t == no || t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// One stored row, or why it is none.
Outcome<FillUp> fillUpOfRow(const QStringList &fields, const std::array<int, storedColumnCount> &at)
{
    const auto cell = [&](FillUpColumn column) { return cellFromSpreadsheet(fields.value(at[int(column)])); };
    const auto failure = [](const QString &why) { return Outcome<FillUp>::failure(why); };
    FillUp fillUp;
    const std::optional<QDate> date = dateFromText(cell(FillUpColumn::Date));
    if (!date)
        return failure(QStringLiteral("päivämäärä \"%1\" ei ole päivämäärä").arg(cell(FillUpColumn::Date)));
    fillUp.date = *date;
    const std::array<std::pair<FillUpColumn, double *>, 4> numbers{
        std::pair{FillUpColumn::Odometer, &fillUp.odometer}, std::pair{FillUpColumn::Amount, &fillUp.amount},
        std::pair{FillUpColumn::Price, &fillUp.price}, std::pair{FillUpColumn::Total, &fillUp.total}};
    for (const auto &[column, value] : numbers) {
        const std::optional<double> number = numberFromText(cell(column));
        if (!number || *number < 0)
            return failure(QStringLiteral("\"%1\" ei ole luku").arg(cell(column)));
        *value = *number;
    }
    if (fillUp.amount <= 0 || fillUp.total <= 0)
        return failure(QStringLiteral("määrän ja summan pitää olla suurempia kuin nolla"));
    const std::optional<bool> full = truthFromText(cell(FillUpColumn::Full));
    const std::optional<bool> missed = truthFromText(cell(FillUpColumn::MissedBefore));
    if (!full || !missed)
        return failure(QStringLiteral("täysi ja edellinen puuttuu ovat joko \"kyllä\" tai \"ei\""));
    fillUp.full = *full;
    fillUp.missedBefore = *missed;
    fillUp.note = cell(FillUpColumn::Note);
    return fillUp;
}

QString worked(const std::optional<double> &value)
{
    return value ? doubleToText(*value) : QString();
}

} // namespace

QByteArray fillUpLogBytes(const QList<FillUp> &fillUps, Energy energy, const Calibration &calibration, bool withWorked)
{
    QByteArray out = utf8ByteOrderMark + spreadsheetLine(columnTitles(energy, withWorked ? fillUpColumnCount : storedColumnCount));
    out.reserve(out.size() + fillUps.size() * 64);
    const WorkedLog log = withWorked ? workOutLog(fillUps, calibration) : WorkedLog{};
    for (qsizetype i = 0; i < fillUps.size(); ++i) {
        const FillUp &f = fillUps[i];
        QStringList fields{isoDateText(f.date), doubleToText(f.odometer), doubleToText(f.amount),
                           doubleToText(f.price), doubleToText(f.total), f.full ? yes : no, f.missedBefore ? yes : no,
                           cellForSpreadsheet(f.note)};
        if (withWorked)
            fields << worked(log.rows[i].driven) << worked(log.rows[i].consumption);
        out += spreadsheetLine(fields);
    }
    return out;
}

LogReading parseFillUpLog(const QByteArray &bytes, const QString &fileName)
{
    LogReading reading;
    const QString decoded = decodeText(bytes);
    const CsvRows parsed = parseCsv(decoded, u';');
    const auto damaged = [&](int row, const QString &why) {
        reading.problem = QStringLiteral("Tankkauslokia %1 ei voitu lukea kokonaan (rivi %2: %3). Se näytetään vain "
                                         "luettavana, eikä sitä muuteta, jotta mitään ei katoa. Korjaa tai siirrä "
                                         "tiedosto, niin voit taas kirjata tankkauksia.")
                              .arg(fileName).arg(row).arg(why);
    };
    if (parsed.rows.isEmpty()) {
        if (!decoded.trimmed().isEmpty() || !parsed.problems.isEmpty())
            damaged(1, QStringLiteral("otsikkoriviä ei ole"));
        return reading;
    }
    std::array<int, storedColumnCount> at{};
    const QStringList header = parsed.rows[0].fields;
    for (int c = 0; c < storedColumnCount; ++c) {
        const QString wanted = bareTitle(columnTitle(FillUpColumn(c), Energy::Petrol));
        at[c] = -1;
        for (int h = 0; h < header.size() && at[c] < 0; ++h)
            if (bareTitle(header[h]) == wanted)
                at[c] = h;
        if (at[c] < 0) {
            damaged(parsed.rows[0].row, QStringLiteral("sarake \"%1\" puuttuu otsikkoriviltä").arg(columnTitle(FillUpColumn(c), Energy::Petrol)));
            return reading;
        }
    }
    reading.fillUps.reserve(parsed.rows.size() - 1);
    for (qsizetype r = 1; r < parsed.rows.size(); ++r) {
        const CsvRow &row = parsed.rows[r];
        const Outcome<FillUp> fillUp = fillUpOfRow(row.fields, at);
        if (!fillUp) {
            if (!reading.readOnly())
                damaged(row.row, fillUp.error());
            continue;
        }
        reading.fillUps.append(*fillUp);
    }
    if (!parsed.problems.isEmpty() && !reading.readOnly())
        damaged(parsed.problems[0].row, parsed.problems[0].reason);
    sortFillUps(reading.fillUps);
    return reading;
}

LogReading readFillUpLog(const QString &path)
{
    const QString shown = shownPath(path);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    const Outcome<QByteArray> bytes = readWholeFile(path, maxLogBytes, shown,
                                                      QStringLiteral("Tiedostoa %1 ei luettu: se on suurempi kuin %2 Mt.").arg(shown).arg(maxLogBytes >> 20));
    if (!bytes) {
        LogReading reading;
        reading.problem = bytes.error() + QStringLiteral(" Tankkauksia ei voi kirjata ennen kuin tiedosto on korjattu tai siirretty.");
        return reading;
    }
    return parseFillUpLog(*bytes, shown);
}

Done writeFillUpLog(const QString &path, const QList<FillUp> &fillUps, Energy energy)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const Done written = replaceOwnFile(QFile::encodeName(path), folder + "/.tallennus", fillUpLogBytes(fillUps, energy));
    if (!written)
        return Done::failure(QStringLiteral("Tankkauksia ei voitu tallentaa tiedostoon %1: %2.").arg(shownPath(path), written.error()));
    return {};
}

double distanceCorrection(const Calibration &calibration)
{
    // As the calculator takes it: the factor is kept in single precision.
    return calibration.inUse ? double(float(double(calibration.marginPercent) * 0.01 + 1.0)) : 1.0;
}

WorkedLog workOutLog(const QList<FillUp> &fillUps, const Calibration &calibration)
{
    const double correction = distanceCorrection(calibration);
    WorkedLog log;
    log.rows.resize(fillUps.size());
    qsizetype chainStart = -1;           // the full fill-up the chain runs from; -1 for none
    double amountSince = 0;              // partials since chainStart
    double costSince = 0;
    for (qsizetype i = 0; i < fillUps.size(); ++i) {
        const FillUp &f = fillUps[i];
        WorkedRow &row = log.rows[i];
        if (i > 0 && f.odometer >= fillUps[i - 1].odometer)
            row.driven = (f.odometer - fillUps[i - 1].odometer) * correction;
        if (f.missedBefore) {
            chainStart = -1;
            amountSince = 0;
            costSince = 0;
        }
        if (!f.full) {
            amountSince += f.amount;
            costSince += f.total;
            continue;
        }
        if (chainStart >= 0) {
            const double distance = (f.odometer - fillUps[chainStart].odometer) * correction;
            if (distance > 0) {
                row.chainAmount = amountSince + f.amount;
                row.chainDistance = distance;
                row.chainCost = costSince + f.total;
                row.consumption = row.chainAmount / distance * 100.0;
                log.chainAmount += row.chainAmount;
                log.chainDistance += distance;
                log.chainCost += row.chainCost;
                ++log.chains;
            }
        }
        chainStart = i;
        amountSince = 0;
        costSince = 0;
    }
    if (log.chainDistance > 0)
        log.average = log.chainAmount / log.chainDistance * 100.0;
    return log;
}

ConsumptionCurve consumptionCurve(const QList<FillUp> &fillUps, const WorkedLog &worked)
{
    ConsumptionCurve curve;
    for (qsizetype i = 0; i < fillUps.size() && i < worked.rows.size(); ++i)
        if (const std::optional<double> consumption = worked.rows[i].consumption) {
            // The figure as the table writes it: single precision alone could round the
            // seventh digit the other way, and the chart would tell another number.
            curve.series << textToSingle(doubleToText(*consumption)).value_or(float(*consumption));
            curve.dates << fillUps[i].date;
        }
    return curve;
}

} // namespace tankeli
