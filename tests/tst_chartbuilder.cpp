#include "statistics/ChartBuilder.h"

#include <QHash>
#include <QTest>

using namespace tankeli;

namespace {

// Records held in memory: each name maps to its lines; a name not in the map cannot
// be opened.
struct Records
{
    QStringList names;
    QHash<QString, QStringList> lines;

    void add(const QString &name, const QStringList &recordLines)
    {
        names.append(name);
        lines.insert(name, recordLines);
    }
    // Records whose chosen line (selector 1: consumption) holds the given texts.
    static Records consumptions(const QStringList &values)
    {
        Records r;
        for (int i = 0; i < values.size(); ++i)
            r.add(QStringLiteral("r%1.sav").arg(i), {"1,3", values[i], "100", "8", "6"});
        return r;
    }
    RecordReader reader() const
    {
        return [this](const QString &name) {
            RecordLines result;
            if (!lines.contains(name)) {
                result.openError = QStringLiteral("ei aukea");
                return result;
            }
            const QStringList &l = lines[name];
            for (int i = 0; i < RecordLineCount && i < l.size(); ++i)
                result.lines[i] = l[i];
            if (l.size() < RecordLineCount)
                result.lineError = QStringLiteral("puuttuu");
            return result;
        };
    }
    ChartPlan build(int selector, float w = 329, float h = 212) const
    {
        return buildChart(names, reader(), selector, w, h);
    }
};

QVector<ChartFault::Kind> kinds(const ChartPlan &plan)
{
    QVector<ChartFault::Kind> k;
    for (const ChartFault &f : plan.faults)
        k.append(f.kind);
    return k;
}

} // namespace

class TestChartBuilder : public QObject
{
    Q_OBJECT
private slots:
    void threeConsumptionsOnTheDesignCanvas()
    {
        const ChartPlan plan = Records::consumptions({"7,5", "8", "6,5"}).build(1);
        QVERIFY(!plan.tooFewRecords);
        QVERIFY(plan.faults.isEmpty());
        QCOMPARE(plan.scaleTop, 8.5f);
        QCOMPARE(plan.segments.size(), 2);
        const ChartSegment &a = plan.segments[0], &b = plan.segments[1];
        QCOMPARE(a.x1, 0.0f);
        QCOMPARE(a.x2, 164.5f);
        QCOMPARE(b.x2, 329.0f);
        QVERIFY(qAbs(a.y1 - 24.94f) < 0.01f);
        QVERIFY(qAbs(a.y2 - 12.47f) < 0.01f);
        QVERIFY(qAbs(b.y2 - 49.88f) < 0.01f);
        QCOMPARE(b.x1, a.x2);
        QCOMPARE(b.y1, a.y2);
        QCOMPARE(plan.topLabel.text, QStringLiteral("8,5L/100Km"));
        QCOMPARE(plan.middleLabel.text, QStringLiteral("4,25L/100Km"));
        QCOMPARE(plan.bottomLabel.text, QStringLiteral("0L/100Km"));
        QCOMPARE(QPointF(plan.topLabel.x, plan.topLabel.y), QPointF(2, 2));
        QCOMPARE(QPointF(plan.middleLabel.x, plan.middleLabel.y), QPointF(2, 106));
        QCOMPARE(QPointF(plan.bottomLabel.x, plan.bottomLabel.y), QPointF(2, 192));
        QCOMPARE(plan.title.text, QStringLiteral("Bensankulutus"));
        QCOMPARE(QPointF(plan.title.x, plan.title.y), QPointF(164 - 13, 5));
    }

    void tooFewRecords_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("one") << QStringList{"7"};
    }
    void tooFewRecords()
    {
        QFETCH(QStringList, values);
        const ChartPlan plan = Records::consumptions(values).build(1);
        QVERIFY(plan.tooFewRecords);
        QVERIFY(plan.segments.isEmpty());
        QVERIFY(plan.faults.isEmpty());
    }

    void scaleTopAndLabels_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<float>("top");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("5, 5.5") << QStringList{"5", "5,5"} << 6.0f
                                << QStringList{"6L/100Km", "3L/100Km", "0L/100Km"};
        QTest::newRow("5.5, 5") << QStringList{"5,5", "5"} << 6.5f
                                << QStringList{"6,5L/100Km", "3,25L/100Km", "0L/100Km"};
        QTest::newRow("2, 9, 3") << QStringList{"2", "9", "3"} << 10.0f
                                 << QStringList{"10L/100Km", "5L/100Km", "0L/100Km"};
        QTest::newRow("two decimals, halves to even") << QStringList{"0,125", "0"} << 1.125f
                                 << QStringList{"1,12L/100Km", "0,56L/100Km", "0L/100Km"};
    }
    void scaleTopAndLabels()
    {
        QFETCH(QStringList, values);
        QFETCH(float, top);
        QFETCH(QStringList, labels);
        const ChartPlan plan = Records::consumptions(values).build(1);
        QCOMPARE(plan.scaleTop, top);
        QCOMPARE((QStringList{plan.topLabel.text, plan.middleLabel.text, plan.bottomLabel.text}),
                 labels);
    }

    void twoRecordsGiveOneSegmentEdgeToEdge()
    {
        const ChartPlan plan = Records::consumptions({"4", "6"}).build(1);
        QCOMPARE(plan.segments.size(), 1);
        QCOMPARE(plan.segments[0].x1, 0.0f);
        QCOMPARE(plan.segments[0].x2, 329.0f);
        QCOMPARE(plan.segments[0].y2, 212.0f - 6.0f / (7.0f / 212.0f));
    }

    void xDependsOnlyOnListPosition()
    {
        const ChartPlan plan = Records::consumptions({"1", "2", "3", "4", "5"}).build(1);
        QCOMPARE(plan.segments.size(), 4);
        const QVector<float> xs{plan.segments[0].x1, plan.segments[1].x1, plan.segments[2].x1,
                                plan.segments[3].x1, plan.segments[3].x2};
        QCOMPARE(xs, (QVector<float>{0, 82.25f, 164.5f, 246.75f, 329}));
    }

    void selectorsChartTheirLines_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("top");
        QTest::newRow("price") << 0 << "Bensanhinta" << "2,3€/L";
        QTest::newRow("consumption") << 1 << "Bensankulutus" << "8L/100Km";
        QTest::newRow("distance") << 2 << "Matka" << "101Km";
        QTest::newRow("litres from line 5") << 3 << "Kokonaiskulutus" << "7L";
        QTest::newRow("trip price from line 4") << 4 << "Yhteishinta" << "9€";
    }
    void selectorsChartTheirLines()
    {
        QFETCH(int, selector);
        QFETCH(QString, caption);
        QFETCH(QString, top);
        const ChartPlan plan = Records::consumptions({"7", "7"}).build(selector);
        QCOMPARE(plan.title.text, caption);
        QCOMPARE(plan.topLabel.text, top);
    }

    void titleStartsOnePixelLeftPerCharacter()
    {
        const ChartPlan plan = Records::consumptions({"1", "2"}).build(2);
        QCOMPARE(QPointF(plan.title.x, plan.title.y), QPointF(159, 5));
    }

    void faultsAreReportedInOrderAndPassedOver_data()
    {
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QVector<ChartFault::Kind>>("faults");
        QTest::addColumn<QVector<float>>("series"); // consumption of each record
        const QStringList good{"1,3", "7", "100", "8", "6"};
        QTest::newRow("decimal point")
            << QList<QStringList>{good, {"1,3", "6.5", "100", "8", "6"}}
            << QVector<ChartFault::Kind>{ChartFault::Convert} << QVector<float>{7, 0};
        QTest::newRow("empty field")
            << QList<QStringList>{{"1,3", "", "100", "8", "6"}, good}
            << QVector<ChartFault::Kind>{ChartFault::Convert} << QVector<float>{0, 7};
        // Lines 4 and 5 cannot be read: the buffer still holds line 3, so trip price
        // and litres both repeat the distance.
        QTest::newRow("three lines")
            << QList<QStringList>{good, {"1,3", "5", "250"}}
            << QVector<ChartFault::Kind>{ChartFault::Read, ChartFault::Read}
            << QVector<float>{7, 5};
        QTest::newRow("all zero")
            << QList<QStringList>{{"1", "0", "1", "1", "1"}, {"1", "0", "1", "1", "1"},
                                  {"1", "0", "1", "1", "1"}}
            << QVector<ChartFault::Kind>{ChartFault::Arithmetic, ChartFault::Arithmetic}
            << QVector<float>{0, 0, 0};
    }
    void faultsAreReportedInOrderAndPassedOver()
    {
        QFETCH(QList<QStringList>, records);
        QFETCH(QVector<ChartFault::Kind>, faults);
        QFETCH(QVector<float>, series);
        Records r;
        for (int i = 0; i < records.size(); ++i)
            r.add(QString::number(i), records[i]);
        const ChartPlan plan = r.build(1);
        QCOMPARE(kinds(plan), faults);
        QCOMPARE(plan.series, series);
        QCOMPARE(plan.segments.size(), faults.contains(ChartFault::Arithmetic) ? 0 : records.size() - 1);
    }

    void threeLineRecordRepeatsItsDistance()
    {
        Records r;
        r.add("a", {"1,3", "7", "100", "8", "6"});
        r.add("b", {"1,3", "5", "250"});
        QCOMPARE(r.build(4).series, (QVector<float>{8, 250}));
        QCOMPARE(r.build(3).series, (QVector<float>{6, 250}));
    }

    // An unopenable first record: one open fault, then five read faults whose
    // conversions of the still-empty buffer fail too.
    void unopenableRecordFaultsEveryStep()
    {
        Records r = Records::consumptions({"7", "8"});
        r.names.prepend(QStringLiteral("kadonnut.sav"));
        const ChartPlan plan = r.build(1);
        QVector<ChartFault::Kind> expected{ChartFault::Open};
        for (int i = 0; i < RecordLineCount; ++i)
            expected << ChartFault::Read << ChartFault::Convert;
        QCOMPARE(kinds(plan), expected);
        QCOMPARE(plan.series, (QVector<float>{0, 7, 8}));
    }

    void manyRecordsHaveNoLimit()
    {
        QStringList values;
        for (int i = 0; i < 1000; ++i)
            values << QString::number(i % 7 + 1);
        const ChartPlan plan = Records::consumptions(values).build(1);
        QCOMPARE(plan.segments.size(), 999);
        QCOMPARE(plan.segments.last().x2, 329.0f);
    }
};

QTEST_APPLESS_MAIN(TestChartBuilder)
#include "tst_chartbuilder.moc"
