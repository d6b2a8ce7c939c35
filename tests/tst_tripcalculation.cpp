#include "calculator/TripCalculation.h"

#include <QTest>

using namespace tankeli;

namespace {
TripTexts texts(const QStringList &l)
{
    TripTexts t;
    for (int i = 0; i < TripFieldCount; ++i)
        t[i] = l.value(i, QStringLiteral("0"));
    return t;
}
QStringList toList(const TripTexts &t)
{
    return QStringList(t.begin(), t.end());
}
} // namespace

class TestTripCalculation : public QObject
{
    Q_OBJECT
private slots:
    // Fields: price, consumption, distance, trip price, litres, month price, year price.
    void cases_data()
    {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<bool>("calibrated");
        QTest::addColumn<float>("margin");
        QTest::addColumn<QStringList>("out");
        const QStringList caseA{"1,3", "6,5", "100", "8,45", "6,5", "253,5", "3084,25"};
        QTest::newRow("A") << QStringList{"1,3", "6,5", "100"} << false << 0.0f << caseA;
        QTest::newRow("B") << QStringList{"1,3", "0", "100", "0", "6,5"} << false << 0.0f << caseA;
        QTest::newRow("C") << QStringList{"1,3", "0", "100", "8,45"} << false << 0.0f << caseA;
        QTest::newRow("D") << QStringList{"1,3", "6,5", "0", "0", "50"} << false << 0.0f
                           << QStringList{"1,3", "6,5", "769,2308", "65", "50", "1950", "23725"};
        QTest::newRow("E") << QStringList{"1,3", "6,5", "0", "20"} << false << 0.0f
                           << QStringList{"1,3", "6,5", "236,6864", "20", "15,38462", "600", "7300"};
        QTest::newRow("E calibrated") << QStringList{"1,3", "6,5", "0", "20"} << true << 5.0f
                           << QStringList{"1,3", "6,5", "236,6864", "20", "15,38462", "600", "7300"};
        // With distance, litres and trip price known, B comes before C.
        QTest::newRow("B before C") << QStringList{"1,3", "0", "100", "20", "6,5"} << false << 0.0f << caseA;
        // With consumption, litres and trip price known, D comes before E.
        QTest::newRow("D before E") << QStringList{"1,3", "6,5", "0", "20", "50"} << false << 0.0f
                           << QStringList{"1,3", "6,5", "769,2308", "65", "50", "1950", "23725"};
        QTest::newRow("only trip price") << QStringList{"1,3", "0", "0", "10"} << false << 0.0f
                           << QStringList{"1,3", "0", "0", "10", "0", "300", "3650"};
        QTest::newRow("nothing known") << QStringList{"1,30"} << false << 0.0f
                           << QStringList{"1,3", "0", "0", "0", "0", "0", "0"};
        QTest::newRow("negative carried") << QStringList{"1,3", "-2", "0", "0", "0", "5", "7"}
                           << false << 0.0f << QStringList{"1,3", "-2", "0", "0", "0", "0", "0"};
        QTest::newRow("A calibrated") << QStringList{"1,3", "6,5", "100"} << true << 5.0f
                           << QStringList{"1,3", "6,5", "100", "8,872499", "6,825", "266,175", "3238,462"};
        QTest::newRow("calibration off ignores margin") << QStringList{"1,3", "6,5", "100"}
                           << false << 5.0f << caseA;
        QTest::newRow("margin -100 in A") << QStringList{"1,3", "6,5", "100"} << true << -100.0f
                           << QStringList{"1,3", "6,5", "100", "0", "0", "0", "0"};
    }
    void cases()
    {
        QFETCH(QStringList, in);
        QFETCH(bool, calibrated);
        QFETCH(float, margin);
        QFETCH(QStringList, out);
        const Outcome<TripTexts> result = calculateTrip(texts(in), {calibrated, margin});
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(toList(*result), out);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<bool>("calibrated");
        QTest::addColumn<float>("margin");
        QTest::newRow("empty field") << QStringList{"1,3", "", "100"} << false << 0.0f;
        QTest::newRow("decimal point") << QStringList{"1,3", "6.5", "100"} << false << 0.0f;
        QTest::newRow("letters in hidden year") << QStringList{"1,3", "6,5", "100", "0", "0", "0", "x"}
                                                << false << 0.0f;
        QTest::newRow("empty month") << QStringList{"1,3", "6,5", "100", "0", "0", ""} << false << 0.0f;
        QTest::newRow("price 0 in C") << QStringList{"0", "0", "100", "8,45"} << false << 0.0f;
        QTest::newRow("price 0 in E") << QStringList{"0", "6,5", "0", "20"} << false << 0.0f;
        QTest::newRow("factor 0 in B") << QStringList{"1,3", "0", "100", "0", "6,5"} << true << -100.0f;
        QTest::newRow("factor 0 in C") << QStringList{"1,3", "0", "100", "8,45"} << true << -100.0f;
        QTest::newRow("overflow") << QStringList{"3E+38", "1E+30", "1E+30"} << false << 0.0f;
        QTest::newRow("year overflow") << QStringList{"1,3", "0", "0", "3E+37"} << false << 0.0f;
    }
    void failures()
    {
        QFETCH(QStringList, in);
        QFETCH(bool, calibrated);
        QFETCH(float, margin);
        const Outcome<TripTexts> result = calculateTrip(texts(in), {calibrated, margin});
        QVERIFY(!result.ok());
        QCOMPARE(result.error(),
                 QStringLiteral("Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu."));
    }

    // Case D writes the distance reading that the calibration corrects, so the next
    // calculation (which takes case A) gives back the same litres and trip price.
    void caseDThenAKeepsLitresAndPrice_data()
    {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<float>("margin");
        QTest::newRow("margin 5") << QStringList{"1,3", "6,5", "0", "0", "50"} << 5.0f;
        QTest::newRow("margin -8") << QStringList{"1,45", "7,2", "0", "0", "40"} << -8.0f;
        QTest::newRow("margin 28") << QStringList{"1,6", "5", "0", "0", "12,5"} << 28.0f;
        QTest::newRow("off") << QStringList{"1,3", "6,5", "0", "0", "50"} << 0.0f;
    }
    void caseDThenAKeepsLitresAndPrice()
    {
        QFETCH(QStringList, in);
        QFETCH(float, margin);
        const Calibration calibration{margin != 0.0f, margin};
        const Outcome<TripTexts> first = calculateTrip(texts(in), calibration);
        QVERIFY(first.ok());
        QCOMPARE((*first)[Litres], in[Litres]);
        const Outcome<TripTexts> second = calculateTrip(*first, calibration);
        QVERIFY(second.ok());
        QCOMPARE(toList(*second), toList(*first));
    }
};

QTEST_APPLESS_MAIN(TestTripCalculation)
#include "tst_tripcalculation.moc"
