#include "statistics/ChartBuilder.h"
#include "statistics/ChartHeading.h"
#include "statistics/ChartTable.h"

#include <QTest>

using namespace tankeli;

namespace {

// Records held in memory as the store lists them; the line "<too long>" is one too long
// to hold, and a record of the one line "<gone>" cannot be opened.
struct Records
{
    QList<QStringList> lines;
    QList<int> walked; // the records read, in order

    // Records whose consumption (selector 1) holds the given texts.
    static Records consumptions(const QStringList &values)
    {
        Records r;
        for (const QString &value : values)
            r.lines << QStringList{"1,3", value, "100", "8", "6"};
        return r;
    }

    ChartPlan build(int selector, float w = 329, float h = 212)
    {
        QList<RecordEntry> entries;
        for (int k = 0; k < lines.size(); ++k)
            entries.append({QStringLiteral("r%1.sav").arg(k), QByteArray::number(k)});
        const auto read = [this](const RecordEntry &entry) {
            walked << entry.fileName.toInt();
            const QStringList &l = lines[entry.fileName.toInt()];
            if (l == QStringList{"<gone>"})
                return Outcome<RecordLines>::failure(QStringLiteral("ei aukea"));
            RecordLines result;
            for (int i = 0; i < RecordLineCount; ++i) {
                result.state[i] = i >= l.size() ? LineReader::Line::Missing
                    : l[i] == "<too long>"     ? LineReader::Line::TooLong
                                               : LineReader::Line::Text;
                result.text[i] = l.value(i);
            }
            return Outcome<RecordLines>(result);
        };
        return buildChart(entries, read, selector, w, h);
    }
};

const auto Open = ChartFault::Open;
const auto Read = ChartFault::Read;
const auto Convert = ChartFault::Convert;
const auto Arithmetic = ChartFault::Arithmetic;

} // namespace

class TestChartBuilder : public QObject
{
    Q_OBJECT
private slots:
    // Three consumptions on the designed canvas: the walk, the scale, the segments and the
    // labels. (A folder that cannot be read: the window test "an unreadable record folder".)
    void threeConsumptionsOnTheDesignCanvas()
    {
        Records records = Records::consumptions({"7,5", "8", "6,5"});
        const ChartPlan plan = records.build(1);
        QVERIFY(plan.faults.isEmpty());
        QCOMPARE(records.walked, (QList<int>{0, 1, 2}));
        QCOMPARE(plan.scaleTop, 8.5f);
        QCOMPARE(plan.segments.size(), 2);
        const ChartSegment &a = plan.segments[0];
        const ChartSegment &b = plan.segments[1];
        QCOMPARE((QVector<float>{a.x1, a.x2, b.x1, b.x2, b.y1}), (QVector<float>{0, 164.5f, 164.5f, 329, a.y2}));
        QVERIFY(qAbs(a.y1 - 24.94f) < 0.01f && qAbs(a.y2 - 12.47f) < 0.01f && qAbs(b.y2 - 49.88f) < 0.01f);
        QCOMPARE((QList<QPointF>{{plan.topLabel.x, plan.topLabel.y}, {plan.middleLabel.x, plan.middleLabel.y},
                                 {plan.bottomLabel.x, plan.bottomLabel.y}, {plan.title.x, plan.title.y}}),
                 (QList<QPointF>{{2, 2}, {2, 106}, {2, 192}, {164 - 13, 5}}));
        QCOMPARE(plan.names, (QStringList{"r0.sav", "r1.sav", "r2.sav"}));
    }

    // What a screen reader is told of a drawn chart at every click: short, whatever the
    // number of trips; money to the cent.
    void description_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QVector<float>>("series");
        QTest::addColumn<QString>("told");
        QTest::newRow("fuel price to the cent") << 0 << QVector<float>{1.3f, 1.456f}
            << "Bensanhinta (€/L), 2 matkaa: pienin 1,30 €/L (r0.sav), suurin 1,46 €/L (r1.sav).";
        QTest::newRow("a fraction of a cent below zero") << 4 << QVector<float>{-0.001f, 5}
            << "Yhteishinta (€), 2 matkaa: pienin 0,00 € (r0.sav), suurin 5,00 € (r1.sav).";
        QTest::newRow("litres, seven digits") << 3 << QVector<float>{6, 123456.78f}
            << "Kokonaiskulutus (L), 2 matkaa: pienin 6 L (r0.sav), suurin 123456,8 L (r1.sav).";
        QTest::newRow("ties name the first trip") << 2 << QVector<float>{100, 50, 100, 50}
            << "Matka (Km), 4 matkaa: pienin 50 Km (r1.sav), suurin 100 Km (r0.sav).";
        QTest::newRow("a value that did not read is 0") << 1 << QVector<float>{7, 0}
            << "Bensankulutus (L/100Km), 2 matkaa: pienin 0 L/100Km (r1.sav), suurin 7 L/100Km (r0.sav).";
        QTest::newRow("a thousand trips") << 1 << [] { QVector<float> v(1000, 5); v[700] = 9; v[998] = 4; return v; }()
            << "Bensankulutus (L/100Km), 1000 matkaa: pienin 4 L/100Km (r998.sav), suurin 9 L/100Km (r700.sav).";
    }
    void description()
    {
        QFETCH(int, selector);
        QFETCH(QVector<float>, series);
        QStringList names;
        for (int k = 0; k < series.size(); ++k)
            names << QStringLiteral("r%1.sav").arg(k);
        QTEST(chartDescription(planChart(series, names, selector, 329, 212)), "told");
    }

    // The chart as a table a screen reader walks: a row per trip in list order, its name
    // and its value, under headers that name the quantity and its unit.
    void table_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QVector<float>>("series");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("rows"); // "name value"
        QTest::newRow("consumption") << 1 << QVector<float>{7.5f, 8, 6.5f} << QStringList{"Tiedosto", "Bensankulutus (L/100Km)"}
                                     << QStringList{"r0.sav 7,5", "r1.sav 8", "r2.sav 6,5"};
        QTest::newRow("before any chart") << -1 << QVector<float>{} << QStringList{"Tiedosto", "Arvo"} << QStringList{};
    }
    void table()
    {
        QFETCH(int, selector);
        QFETCH(QVector<float>, series);
        QStringList names;
        for (int k = 0; k < series.size(); ++k)
            names << QStringLiteral("r%1.sav").arg(k);
        ChartTable table;
        if (!series.isEmpty())
            table.showPlan(planChart(series, names, selector, 329, 212));
        QStringList headers;
        for (int c = 0; c < table.columnCount(); ++c)
            headers << table.headerData(c, Qt::Horizontal).toString();
        QTEST(headers, "headers");
        QStringList rows;
        for (int r = 0; r < table.rowCount(); ++r)
            rows << table.index(r, ChartTable::NameColumn).data().toString() + " " + table.index(r, ChartTable::ValueColumn).data().toString();
        QTEST(rows, "rows");
        QVERIFY(!(table.flags(table.index(0, 1)) & Qt::ItemIsEditable));
    }

    // The scale top rises to one above each value that exceeds it, in list order; the
    // labels are rounded to two decimals, halves to even.
    void scaleTopAndLabels_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QStringList>("labels"); // title, top, middle, bottom; the title's x
        QTest::newRow("5, 5.5") << QStringList{"5", "5,5"} << 1 << QStringList{"Bensankulutus 151", "6L/100Km", "3L/100Km", "0L/100Km"};
        QTest::newRow("5.5, 5") << QStringList{"5,5", "5"} << 1 << QStringList{"Bensankulutus 151", "6,5L/100Km", "3,25L/100Km", "0L/100Km"};
        QTest::newRow("halves to even") << QStringList{"0,125", "0"} << 1 << QStringList{"Bensankulutus 151", "1,12L/100Km", "0,56L/100Km", "0L/100Km"};
        QTest::newRow("price") << QStringList{"7", "7"} << 0 << QStringList{"Bensanhinta 153", "2,3€/L", "1,15€/L", "0€/L"};
        QTest::newRow("distance") << QStringList{"7", "7"} << 2 << QStringList{"Matka 159", "101Km", "50,5Km", "0Km"};
        QTest::newRow("litres from line 5") << QStringList{"7", "7"} << 3 << QStringList{"Kokonaiskulutus 149", "7L", "3,5L", "0L"};
        QTest::newRow("trip price from line 4") << QStringList{"7", "7"} << 4 << QStringList{"Yhteishinta 153", "9€", "4,5€", "0€"};
    }
    void scaleTopAndLabels()
    {
        QFETCH(QStringList, values);
        QFETCH(int, selector);
        const ChartPlan plan = Records::consumptions(values).build(selector);
        QTEST((QStringList{plan.title.text + " " + QString::number(plan.title.x), plan.topLabel.text,
                           plan.middleLabel.text, plan.bottomLabel.text}), "labels");
    }

    // The heading of an image file or a printed page: the quantity and its unit, then the
    // number of trips and the first and last trip in list order, long names shortened.
    void heading_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("heading");
        QTest::newRow("consumption of three trips") << 1 << QStringList{"2006_03_07.sav", "2006_04_01.sav", "matka.sav"}
                                                    << QStringList{"Bensankulutus (L/100Km)", "3 matkaa: 2006_03_07.sav – matka.sav"};
        QTest::newRow("a long name shortened in the middle") << 1 << QStringList{QString(30, 'a') + QString(30, 'b') + ".sav", "b"}
            << QStringList{"Bensankulutus (L/100Km)", "2 matkaa: " + QString(20, 'a') + "…" + QString(15, 'b') + ".sav – b"};
    }
    void heading()
    {
        QFETCH(int, selector);
        QFETCH(QStringList, names);
        QVector<float> series(names.size(), 7.0f);
        QTEST(chartHeading(planChart(series, names, selector, 329, 212)), "heading");
    }

    // The fill-ups' consumption over their dates: each point as far along as its day, the
    // first, middle and last dates under the curve, the same when planned for a page.
    void datedCurve_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QVector<float>>("values");
        QTest::addColumn<QString>("xs");         // each point's x on a canvas 400 wide
        QTest::addColumn<QString>("xsOnPage");   // on one 200 wide
        QTest::addColumn<QStringList>("under");  // the dates written under the curve
        QTest::addColumn<QStringList>("heading");
        QTest::addColumn<QString>("told");       // what a screen reader hears of the canvas
        QTest::newRow("10 and 30 days apart")
            << QStringList{"2024-01-01", "2024-01-11", "2024-02-10"} << QVector<float>{5.5f, 7, 6} << "0 100 400" << "0 50 200"
            << QStringList{"2024-01-01", "2024-01-21", "2024-02-10"}
            << QStringList{"Bensankulutus (L/100Km)", "3 tankkausväliä: 2024-01-01 – 2024-02-10"}
            << "Bensankulutus (L/100Km), 3 tankkausväliä: pienin 5,5 L/100Km (2024-01-01), suurin 7 L/100Km (2024-01-11).";
        QTest::newRow("over a leap day") << QStringList{"2024-02-28", "2024-03-01", "2024-03-02"} << QVector<float>{6, 6, 6}
            << "0 266.667 400" << "0 133.333 200" << QStringList{"2024-02-28", "2024-02-29", "2024-03-02"}
            << QStringList{"Bensankulutus (L/100Km)", "3 tankkausväliä: 2024-02-28 – 2024-03-02"}
            << "Bensankulutus (L/100Km), 3 tankkausväliä: pienin 6 L/100Km (2024-02-28), suurin 6 L/100Km (2024-02-28).";
        QTest::newRow("all on one day: evenly, no dates under") << QStringList{"2024-05-05", "2024-05-05"} << QVector<float>{6, 8}
            << "0 400" << "0 200" << QStringList{}
            << QStringList{"Bensankulutus (L/100Km)", "2 tankkausväliä: 2024-05-05 – 2024-05-05"}
            << "Bensankulutus (L/100Km), 2 tankkausväliä: pienin 6 L/100Km (2024-05-05), suurin 8 L/100Km (2024-05-05).";
    }
    void datedCurve()
    {
        QFETCH(QStringList, dates);
        QFETCH(QVector<float>, values);
        QList<QDate> days;
        for (const QString &date : dates)
            days << QDate::fromString(date, Qt::ISODate);
        const ChartPlan plan = planDatedChart(values, days, 1, 400, 200);
        const auto xsOf = [](const ChartPlan &p) {
            QStringList xs;
            for (const ChartPoint &point : p.points)
                xs << QString::number(point.x);
            return xs.join(' ');
        };
        QTEST(xsOf(plan), "xs");
        QTEST(xsOf(replanChart(plan, 200, 100)), "xsOnPage");
        QStringList under;
        for (const ChartText &text : plan.dateLabels)
            under << text.text;
        QTEST(under, "under");
        QTEST(chartHeading(plan), "heading");
        QTEST(chartDescription(plan), "told");
        QCOMPARE(plan.segments.size(), values.size() - 1);
    }

    // Every step that cannot complete is reported, in order, and passed over; fewer than
    // two records, or a folder that cannot be read, plan nothing.
    void faults_data()
    {
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QVector<ChartFault::Kind>>("faults");
        QTest::addColumn<QVector<float>>("series");
        const QStringList good{"1,3", "7", "100", "8", "6"};
        const QVector<ChartFault::Kind> none;
        QTest::newRow("decimal point") << QList<QStringList>{good, {"1,3", "6.5", "100", "8", "6"}} << 1
                                       << QVector<ChartFault::Kind>{Convert} << QVector<float>{7, 0};
        // Lines 4 and 5 cannot be read: the buffer still holds line 3, so the trip price
        // (as the litres would) repeats the distance.
        QTest::newRow("three lines, trip price") << QList<QStringList>{good, {"1,3", "5", "250"}} << 4
                                                 << QVector<ChartFault::Kind>{Read, Read} << QVector<float>{8, 250};
        QTest::newRow("all zero") << QList<QStringList>(3, {"1", "0", "1", "1", "1"}) << 1
                                  << QVector<ChartFault::Kind>{Arithmetic, Arithmetic} << QVector<float>{0, 0, 0};
        // A line too long to hold is one line that does not convert; the next ones count.
        QTest::newRow("overlong second line") << QList<QStringList>{good, {"1,3", "<too long>", "100", "9", "6"}} << 4
                                              << QVector<ChartFault::Kind>{Convert} << QVector<float>{8, 9};
        QTest::newRow("huge file without line end") << QList<QStringList>{good, {"<too long>"}} << 0
            << QVector<ChartFault::Kind>{Convert, Read, Convert, Read, Convert, Read, Convert, Read, Convert}
            << QVector<float>{1.3f, 0};
        QTest::newRow("unopenable first record") << QList<QStringList>{{"<gone>"}, good} << 1
            << QVector<ChartFault::Kind>{Open, Read, Convert, Read, Convert, Read, Convert, Read, Convert, Read, Convert}
            << QVector<float>{0, 7};
        QTest::newRow("a thousand records, no limit") << QList<QStringList>(1000, good) << 1 << none << QVector<float>(1000, 7);
        QTest::newRow("no record") << QList<QStringList>{} << 1 << none << QVector<float>{};
    }
    void faults()
    {
        QFETCH(QList<QStringList>, records);
        QFETCH(int, selector);
        QFETCH(QVector<ChartFault::Kind>, faults);
        Records r;
        r.lines = records;
        const ChartPlan plan = r.build(selector);
        QVector<ChartFault::Kind> kinds;
        for (const ChartFault &f : plan.faults)
            kinds << f.kind;
        QCOMPARE(kinds, faults);
        QTEST(plan.series, "series");
        QCOMPARE(plan.tooFewRecords, records.size() < 2);
        QCOMPARE(plan.segments.size(), faults.contains(Arithmetic) ? 0 : qMax(records.size() - 1, 0));
        QCOMPARE(r.walked.size(), plan.tooFewRecords ? 0 : records.size());
    }
};

QTEST_APPLESS_MAIN(TestChartBuilder)
#include "tst_chartbuilder.moc"
