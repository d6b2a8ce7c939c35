#pragma once
// A vehicle's fill-up log: the file Tankkaukset.csv beside its settings, in the program's
// spreadsheet dialect (UTF-8 with a byte-order mark, semicolons, CR LF, quotes as RFC 4180
// has them, numbers with a decimal comma, ISO dates), so that a spreadsheet opens it as
// it is; and what the log tells: the distance driven to each fill-up and the consumption
// of each full one, from one full tank to the next.

#include "FillUp.h"
#include "calculator/TripCalculation.h"

#include <QByteArray>

namespace tankeli {

inline const QString fillUpLogName = QStringLiteral("Tankkaukset.csv");
// Where the vehicle's log lies: beside its settings, in dataFolder.
inline QString fillUpLogPath(const QString &dataFolder)
{
    return dataFolder + QLatin1Char('/') + fillUpLogName;
}
// A log larger than this is not read (5,000 fill-ups take about 300 kB).
inline constexpr qsizetype maxLogBytes = qsizetype(8) << 20;

// The log's bytes: the header and one row per fill-up, in the log's order. withWorked adds
// the two worked columns (Ajettu, Kulutus) after the stored ones, as the export has them.
QByteArray fillUpLogBytes(const QList<FillUp> &fillUps, Energy energy, const Calibration &calibration = {},
                          bool withWorked = false);

struct LogReading
{
    QList<FillUp> fillUps; // sorted
    // Why the log cannot be written (it could not be read whole): empty for a log that may be
    // changed. The rows that could be read are kept for showing.
    QString problem;
    bool readOnly() const { return !problem.isEmpty(); }
};

// The log from its bytes; fileName names it in the problem.
LogReading parseFillUpLog(const QByteArray &bytes, const QString &fileName);
// The log file: a missing file is an empty log that may be written; a file that is not a
// regular file, larger than maxLogBytes, or holds a row that is no fill-up is read-only.
LogReading readFillUpLog(const QString &path);
// Replaces the log whole or not at all, through the hidden scratch folder beside it.
Done writeFillUpLog(const QString &path, const QList<FillUp> &fillUps, Energy energy);

// The factor from the speedometer's kilometres to true ones, as the calculator takes it:
// 1 + margin / 100 in single precision while calibration is on, else 1.
double distanceCorrection(const Calibration &calibration);

struct WorkedRow
{
    std::optional<double> driven;      // km since the previous fill-up, corrected
    std::optional<double> consumption; // per 100 km, for a full fill-up that closes a whole chain
    // The chain this full fill-up closes: what it took, how far it ran (corrected) and
    // what it cost; 0 where the row has no consumption.
    double chainAmount = 0;
    double chainDistance = 0;
    double chainCost = 0;
};

struct WorkedLog
{
    QList<WorkedRow> rows;           // one per fill-up, in the log's order
    double chainAmount = 0;          // over every whole chain
    double chainDistance = 0;        // km, corrected
    double chainCost = 0;            // €, of the fill-ups in whole chains
    std::optional<double> average;   // chainAmount over chainDistance per 100 km
    int chains = 0;                  // full fill-ups with a figure
};

// The fill-ups must be in the log's order. A full fill-up's consumption is every amount
// since the previous full one (partials and its own) over the distance since that one;
// a fill-up marked missedBefore breaks the chain, so the next full one starts a new chain
// and has no figure; a partial fill-up has none either.
WorkedLog workOutLog(const QList<FillUp> &fillUps, const Calibration &calibration);

// The consumption of each full fill-up that has one, with its date: the points of the
// log's curve, in the log's order.
struct ConsumptionCurve
{
    QVector<float> series;
    QList<QDate> dates;
};
ConsumptionCurve consumptionCurve(const QList<FillUp> &fillUps, const WorkedLog &worked);

} // namespace tankeli
