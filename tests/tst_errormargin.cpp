#include "calibration/ErrorMargin.h"

#include <QTest>

using namespace tankeli;

class TestErrorMargin : public QObject
{
    Q_OBJECT
private slots:
    void margins_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<double>("margin");
        QTest::addColumn<QString>("shown");
        QTest::newRow("5") << "100" << "105" << 5.0 << "5 %";
        QTest::newRow("3 (3.09 floored)") << "97" << "100" << 3.0 << "3 %";
        QTest::newRow("-10 (-9.09 floored)") << "110" << "100" << -10.0 << "-10 %";
        QTest::newRow("equal") << "80" << "80" << 0.0 << "0 %";
        QTest::newRow("28, not 29") << "100" << "129" << 28.0 << "28 %";
        QTest::newRow("-8, not -7") << "100" << "93" << -8.0 << "-8 %";
        QTest::newRow("459, not 460") << "5" << "28" << 459.0 << "459 %";
        QTest::newRow("decimal comma") << "97,5" << "100" << 2.0 << "2 %";
        QTest::newRow("negative display, no -0") << "-5" << "-5" << 0.0 << "0 %";
    }
    void margins()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        QFETCH(double, margin);
        QFETCH(QString, shown);
        const auto result = Laske_Virhemarginaali(display, meter);
        QVERIFY(result.has_value());
        QCOMPARE(*result, margin);
        QCOMPARE(marginText(*result), shown);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::newRow("display 0") << "0" << "100";
        QTest::newRow("0 / 0") << "0" << "0";
        QTest::newRow("empty display") << "" << "100";
        QTest::newRow("empty meter") << "100" << "";
        QTest::newRow("letters") << "sata" << "100";
        QTest::newRow("decimal point") << "97.5" << "100";
        QTest::newRow("beyond single precision") << "1E-300" << "1E+10";
    }
    void failures()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        QVERIFY(!Laske_Virhemarginaali(display, meter).has_value());
    }

    void commits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1000000: no commit
        QTest::newRow("whole") << "100" << 100;
        QTest::newRow("97,5 to even 98") << "97,5" << 98;
        QTest::newRow("96,5 to even 96") << "96,5" << 96;
        QTest::newRow("-2,5") << "-2,5" << -2;
        QTest::newRow("max") << "32767" << 32767;
        QTest::newRow("min") << "-32768" << -32768;
        QTest::newRow("32767,5 rounds out") << "32767,5" << -1000000;
        QTest::newRow("too big") << "40000" << -1000000;
        QTest::newRow("empty") << "" << -1000000;
        QTest::newRow("letters") << "abc" << -1000000;
    }
    void commits()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto value = commitReading(text);
        QCOMPARE(value.has_value(), expected != -1000000);
        if (value)
            QCOMPARE(int(*value), expected);
    }
};

QTEST_APPLESS_MAIN(TestErrorMargin)
#include "tst_errormargin.moc"
