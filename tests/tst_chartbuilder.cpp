#include "statistics/ChartBuilder.h"

#include <QHash>
#include <QTest>

using namespace tankeli;

namespace {

// Records held in memory, as the file window's list: each name maps to its lines; a
// name not in the map cannot be opened; the line "<too long>" is one too long to hold.
struct Records : RecordList
{
    QStringList names;
    QHash<QString, QStringList> lines;
    QString problem;
    QList<int> walked; // the entries selected, in order

    Records &add(const QString &name, const QStringList &recordLines)
    {
        names.append(name);
        lines.insert(name, recordLines);
        return *this;
    }
    // Records whose consumption (selector 1) holds the given texts.
    static Records consumptions(const QStringList &values)
    {
        Records r;
        for (int i = 0; i < values.size(); ++i)
            r.add(QStringLiteral("r%1.sav").arg(i), {"1,3", values[i], "100", "8", "6"});
        return r;
    }
    int recordCount() const override { return int(names.size()); }
    RecordEntry selectRecord(int k) override
    {
        walked << k;
        return {names[k], names[k].toUtf8()};
    }
    QString listProblem() const override { return problem; }

    ChartPlan build(int selector, float w = 329, float h = 212)
    {
        const auto read = [this](const RecordEntry &entry) {
            if (!lines.contains(entry.name))
                return Outcome<RecordLines>::failure(QStringLiteral("ei aukea"));
            RecordLines result;
            const QStringList &l = lines[entry.name];
            for (int i = 0; i < RecordLineCount; ++i) {
                result.state[i] = i >= l.size()            ? LineReader::Line::Missing
                    : l[i] == QLatin1String("<too long>") ? LineReader::Line::TooLong
                                                           : LineReader::Line::Text;
                if (result.state[i] == LineReader::Line::Text)
                    result.text[i] = l[i];
            }
            return Outcome<RecordLines>(result);
        };
        return buildChart(*this, read, selector, w, h);
    }
};

QVector<ChartFault::Kind> kinds(const ChartPlan &plan)
{
    QVector<ChartFault::Kind> k;
    for (const ChartFault &f : plan.faults)
        k.append(f.kind);
    return k;
}

const auto Open = ChartFault::Open;
const auto Read = ChartFault::Read;
const auto Convert = ChartFault::Convert;
const auto Arithmetic = ChartFault::Arithmetic;

} // namespace

class TestChartBuilder : public QObject
{
    Q_OBJECT
private slots:
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
        QCOMPARE((QVector<float>{a.x1, a.x2, b.x1, b.x2}), (QVector<float>{0, 164.5f, 164.5f, 329}));
        QVERIFY(qAbs(a.y1 - 24.94f) < 0.01f);
        QVERIFY(qAbs(a.y2 - 12.47f) < 0.01f);
        QVERIFY(qAbs(b.y2 - 49.88f) < 0.01f);
        QCOMPARE(b.y1, a.y2);
        QCOMPARE((QStringList{plan.topLabel.text, plan.middleLabel.text, plan.bottomLabel.text}),
                 (QStringList{"8,5L/100Km", "4,25L/100Km", "0L/100Km"}));
        QCOMPARE((QList<QPointF>{{plan.topLabel.x, plan.topLabel.y}, {plan.middleLabel.x, plan.middleLabel.y},
                                 {plan.bottomLabel.x, plan.bottomLabel.y}, {plan.title.x, plan.title.y}}),
                 (QList<QPointF>{{2, 2}, {2, 106}, {2, 192}, {164 - 13, 5}}));
        QCOMPARE(plan.title.text, QStringLiteral("Bensankulutus"));
    }

    void tooFewRecordsOrAnUnreadableFolder_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("problem");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("one") << QStringList{"7"} << "";
        QTest::newRow("unreadable folder") << QStringList{} << "Kansiota stat ei voitu lukea";
    }
    void tooFewRecordsOrAnUnreadableFolder()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, problem);
        Records records = Records::consumptions(values);
        records.problem = problem;
        const ChartPlan plan = records.build(1);
        QCOMPARE(plan.tooFewRecords, problem.isEmpty());
        QCOMPARE(plan.listProblem, problem);
        QVERIFY(plan.segments.isEmpty() && plan.faults.isEmpty() && records.walked.isEmpty());
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
        const ChartPlan plan = Records::consumptions(values).build(1);
        QTEST(plan.scaleTop, "top");
        QTEST((QStringList{plan.topLabel.text, plan.middleLabel.text, plan.bottomLabel.text}), "labels");
    }

    void xDependsOnlyOnListPosition()
    {
        const ChartPlan plan = Records::consumptions({"1", "2", "3", "4", "5"}).build(1);
        QVector<float> xs;
        for (const ChartSegment &s : plan.segments)
            xs << s.x1;
        QCOMPARE(xs << plan.segments.last().x2, (QVector<float>{0, 82.25f, 164.5f, 246.75f, 329}));
        const ChartPlan two = Records::consumptions({"4", "6"}).build(1);
        QCOMPARE(two.segments.size(), 1);
        QCOMPARE(two.segments[0].y2, 212.0f - 6.0f / (7.0f / 212.0f));
    }

    void selectorsChartTheirLines_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QPointF>("title");
        QTest::newRow("price") << 0 << "Bensanhinta" << "2,3€/L" << QPointF(153, 5);
        QTest::newRow("consumption") << 1 << "Bensankulutus" << "8L/100Km" << QPointF(151, 5);
        QTest::newRow("distance") << 2 << "Matka" << "101Km" << QPointF(159, 5);
        QTest::newRow("litres from line 5") << 3 << "Kokonaiskulutus" << "7L" << QPointF(149, 5);
        QTest::newRow("trip price from line 4") << 4 << "Yhteishinta" << "9€" << QPointF(153, 5);
    }
    void selectorsChartTheirLines()
    {
        QFETCH(int, selector);
        const ChartPlan plan = Records::consumptions({"7", "7"}).build(selector);
        QTEST(plan.title.text, "caption");
        QTEST(plan.topLabel.text, "top");
        QTEST(QPointF(plan.title.x, plan.title.y), "title");
    }

    // Every step that cannot complete is reported, in order, and passed over.
    void faultsAreReportedInOrderAndPassedOver_data()
    {
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QVector<ChartFault::Kind>>("faults");
        QTest::addColumn<QVector<float>>("series");
        const QStringList good{"1,3", "7", "100", "8", "6"};
        QTest::newRow("decimal point") << QList<QStringList>{good, {"1,3", "6.5", "100", "8", "6"}}
            << 1 << QVector<ChartFault::Kind>{Convert} << QVector<float>{7, 0};
        QTest::newRow("empty field") << QList<QStringList>{{"1,3", "", "100", "8", "6"}, good}
            << 1 << QVector<ChartFault::Kind>{Convert} << QVector<float>{0, 7};
        // Lines 4 and 5 cannot be read: the buffer still holds line 3, so the trip price
        // and the litres both repeat the distance.
        QTest::newRow("three lines, trip price") << QList<QStringList>{good, {"1,3", "5", "250"}}
            << 4 << QVector<ChartFault::Kind>{Read, Read} << QVector<float>{8, 250};
        QTest::newRow("three lines, litres") << QList<QStringList>{good, {"1,3", "5", "250"}}
            << 3 << QVector<ChartFault::Kind>{Read, Read} << QVector<float>{6, 250};
        QTest::newRow("all zero") << QList<QStringList>(3, {"1", "0", "1", "1", "1"})
            << 1 << QVector<ChartFault::Kind>{Arithmetic, Arithmetic} << QVector<float>{0, 0, 0};
        // A line too long to hold is one line that does not convert; the next ones count.
        QTest::newRow("overlong second line") << QList<QStringList>{good, {"1,3", "<too long>", "100", "9", "6"}}
            << 4 << QVector<ChartFault::Kind>{Convert} << QVector<float>{8, 9};
        QTest::newRow("huge file without line end") << QList<QStringList>{good, {"<too long>"}}
            << 0 << QVector<ChartFault::Kind>{Convert, Read, Convert, Read, Convert, Read, Convert, Read, Convert}
            << QVector<float>{1.3f, 0};
    }
    void faultsAreReportedInOrderAndPassedOver()
    {
        QFETCH(QList<QStringList>, records);
        QFETCH(int, selector);
        QFETCH(QVector<ChartFault::Kind>, faults);
        Records r;
        for (int i = 0; i < records.size(); ++i)
            r.add(QString::number(i), records[i]);
        const ChartPlan plan = r.build(selector);
        QCOMPARE(kinds(plan), faults);
        QTEST(plan.series, "series");
        QCOMPARE(plan.segments.size(), faults.contains(Arithmetic) ? 0 : records.size() - 1);
    }

    // An unopenable first record: one open fault, then five read faults whose
    // conversions of the still-empty buffer fail too.
    void unopenableRecordFaultsEveryStep()
    {
        Records r = Records::consumptions({"7", "8"});
        r.names.prepend(QStringLiteral("kadonnut.sav"));
        const ChartPlan plan = r.build(1);
        QVector<ChartFault::Kind> expected{Open};
        for (int i = 0; i < RecordLineCount; ++i)
            expected << Read << Convert;
        QCOMPARE(kinds(plan), expected);
        QCOMPARE(plan.series, (QVector<float>{0, 7, 8}));
        QCOMPARE(plan.names, (QStringList{"kadonnut.sav", "r0.sav", "r1.sav"}));
    }

    void manyRecordsHaveNoLimit()
    {
        QStringList values;
        for (int i = 0; i < 1000; ++i)
            values << QString::number(i % 7 + 1);
        Records records = Records::consumptions(values);
        const ChartPlan plan = records.build(1);
        QCOMPARE(plan.segments.size(), 999);
        QCOMPARE(plan.segments.last().x2, 329.0f);
        QCOMPARE(records.walked.last(), 999);
    }
};

QTEST_APPLESS_MAIN(TestChartBuilder)
#include "tst_chartbuilder.moc"
