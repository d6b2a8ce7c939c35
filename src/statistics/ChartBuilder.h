#pragma once
// The statistics chart as a drawing plan: reads every record of the store's list (the
// order the file window shows), takes the chosen quantity, works out the scale and the
// positions of the curve, the title and the three value labels. Knows nothing of
// windows; the statistics window draws the plan.

#include "calculator/TripQuantities.h"
#include "records/RecordStore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

namespace tankeli {

// One of the five chart selectors: its caption, the record line it charts, its unit.
struct ChartSelector
{
    QString caption;
    RecordLine line = RecordLineCount;
    QString unit;
};

// Selector i charts the quantity of the main window's row i, worded for a vehicle of
// this energy.
const ChartSelector &chartSelector(int index, Energy energy = Energy::Petrol);

inline const QString chartTooFewMessage = QStringLiteral(
    "Et voi tarkastella statistiikkaa vielä. Sinulla on oltava minimissään 2 tiedostoa "
    "tallennettuna tietokantaan, jotta käyrä voidaan muodostaa.");
inline const QString chartTooFewTitle = QStringLiteral("Huomio!");
inline const QString chartFaultMessage = QStringLiteral(
    "Jokin arvo ei täsmää. Tarkasta ettei luvuissa ole kirjaimia tai ettei desimaalit "
    "ole . merkillä.");

struct ChartSegment
{
    float x1, y1, x2, y2;
};

struct ChartText
{
    QString text;
    float x = 0, y = 0;
};

// One faulted step of a run, in the order they happened.
struct ChartFault
{
    enum Kind { Open, Read, Convert, Arithmetic } kind;
    int record;   // position in the list; -1 for a step that belongs to no record
    int line;     // record line 1 to 5 for Read and Convert, else 0
    QString detail;
};

struct ChartPoint
{
    int record;
    float x, y;
};

struct ChartPlan
{
    QString listProblem;  // the folder could not be read: nothing else is planned
    bool tooFewRecords = false;
    QVector<ChartSegment> segments;
    ChartText title;
    ChartText topLabel, middleLabel, bottomLabel;
    QVector<ChartFault> faults;
    int selector = -1;
    Energy energy = Energy::Petrol; // of the vehicle whose trips are charted
    QVector<float> series;      // the charted value of each record, in list order
    QStringList names;          // the records, in list order
    QVector<ChartPoint> points; // where each record's value lies, where it could be placed
    float scaleTop = 0;         // T
    // A curve over dates (a vehicle's measured consumption at its fill-ups): each point's
    // day counted from the first, and the dates written under the curve. Both are empty
    // for the trips' chart, whose points lie evenly.
    QVector<int> days;
    QVector<ChartText> dateLabels;
};

// The five values of every record, as read for a chart, with the faults of reading.
struct ChartValues
{
    std::array<QVector<float>, RecordLineCount> lines;
    QVector<ChartFault> faults;
    QStringList names; // the records, in list order
};

using RecordReader = std::function<Outcome<RecordLines>(const RecordEntry &record)>;

// A whole run over the store's listing: the listing's own problem (a folder that cannot
// be read), the too-few-records outcome, or every record read and the plan made, with
// the faults of reading and of planning in their order.
ChartPlan buildChart(const Outcome<QList<RecordEntry>> &listed, const RecordReader &read, int selector,
                     float width, float height, Energy energy = Energy::Petrol);

// What a screen reader is told of the canvas before any chart is drawn.
inline const QString chartNotDrawnName = QStringLiteral("Käyrä");
inline const QString chartNotDrawnDescription = QStringLiteral("Käyrää ei ole vielä piirretty.");

// A charted value as the chart's readers are told it, without its unit: money (€/L,
// €) to two decimals, anything else in the program's number form.
QString chartValueText(float value, int selector);

// What a screen reader is told of a drawn chart, short enough to hear at every click:
// the quantity and its unit, the number of trips, the lowest and the highest value with
// the trip of each (the first such trip in list order). The values of every trip are in
// the chart's table (ChartTable).
QString chartDescription(const ChartPlan &plan);

// Reads every record, from the list's first entry to its last.
ChartValues readChartValues(const QList<RecordEntry> &entries, const RecordReader &read);
// Plans the chart of one series; planning a run's series again for another canvas size
// reads no file.
ChartPlan planChart(const QVector<float> &series, const QStringList &names, int selector,
                    float width, float height, Energy energy = Energy::Petrol);
// Plans a curve of values over their dates, in date order: each point lies as far along
// as its date, the first date at the left edge and the last at the right; the first,
// middle and last dates are written under the curve, and the dates (ISO) name the points.
ChartPlan planDatedChart(const QVector<float> &series, const QList<QDate> &dates, int selector,
                         float width, float height, Energy energy = Energy::Petrol);
// The same chart planned anew for a canvas of another size.
ChartPlan replanChart(const ChartPlan &plan, float width, float height);

} // namespace tankeli
