#include "calibration/CalibrationState.h"
#include "calibration/ErrorMargin.h"

#include <QTest>

using namespace tankeli;

class TestCalibration : public QObject
{
    Q_OBJECT
private slots:
    void margins_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<QString>("shown"); // empty: no margin
        QTest::newRow("5") << "100" << "105" << "5 %";
        QTest::newRow("3 (3.09 floored)") << "97" << "100" << "3 %";
        QTest::newRow("-10 (-9.09 floored)") << "110" << "100" << "-10 %";
        QTest::newRow("equal") << "80" << "80" << "0 %";
        QTest::newRow("28, not 29") << "100" << "129" << "28 %";
        QTest::newRow("-8, not -7") << "100" << "93" << "-8 %";
        QTest::newRow("459, not 460") << "5" << "28" << "459 %";
        QTest::newRow("decimal comma") << "97,5" << "100" << "2 %";
        QTest::newRow("negative display, no -0") << "-5" << "-5" << "0 %";
        QTest::newRow("huge, in the number form") << "1E-30" << "1" << "1E+32 %";
        QTest::newRow("display 0") << "0" << "100" << "";
        QTest::newRow("0 / 0") << "0" << "0" << "";
        QTest::newRow("empty display") << "" << "100" << "";
        QTest::newRow("empty meter") << "100" << "" << "";
        QTest::newRow("letters") << "sata" << "100" << "";
        QTest::newRow("decimal point") << "97.5" << "100" << "";
        QTest::newRow("beyond single precision") << "1E-300" << "1E+10" << "";
    }
    void margins()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        QFETCH(QString, shown);
        const auto margin = Laske_Virhemarginaali(display, meter);
        QCOMPARE(margin.has_value(), !shown.isEmpty());
        if (margin)
            QCOMPARE(marginText(*margin), shown);
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
        QTest::newRow("too big") << "70000" << -1000000;
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

    // The state through a session: start-up from the settings, readings typed, the
    // window closed (commit) and opened again, and what the settings file then gets.
    void sessions_data()
    {
        QTest::addColumn<QStringList>("saved");  // settings lines 2 and 3
        QTest::addColumn<QStringList>("typed");  // the readings typed; empty: none
        QTest::addColumn<bool>("choice");        // the choice when the window closes
        QTest::addColumn<float>("margin");       // in force after closing
        QTest::addColumn<QStringList>("reopened"); // display, meter, margin as shown again
        QTest::addColumn<float>("marginAfter");  // in force after reopening
        QTest::addColumn<QStringList>("settings"); // lines 2 and 3 written at program end
        QTest::newRow("saved 100 / 105, untouched") << QStringList{"100", "105"} << QStringList{}
            << true << 5.0f << QStringList{"100", "105", "5 %"} << 5.0f << QStringList{"100", "105"};
        QTest::newRow("97,5 commits as 98") << QStringList{"0", "0"} << QStringList{"97,5", "100"}
            << false << 2.0f << QStringList{"98", "100", "2 %"} << 2.0f << QStringList{"98", "100"};
        QTest::newRow("96,5: margin follows on reopening") << QStringList{"0", "0"}
            << QStringList{"96,5", "100"} << false << 3.0f << QStringList{"96", "100", "4 %"} << 4.0f
            << QStringList{"96", "100"};
        QTest::newRow("emptied display keeps the saved 100") << QStringList{"100", "105"}
            << QStringList{"", "105"} << true << 5.0f << QStringList{"100", "105", "5 %"} << 5.0f
            << QStringList{"100", "105"};
        QTest::newRow("abc and 70000 keep their readings") << QStringList{"100", "105"}
            << QStringList{"abc", "70000"} << true << 5.0f << QStringList{"100", "105", "5 %"} << 5.0f
            << QStringList{"100", "105"};
        QTest::newRow("nothing saved: margin field shows 0") << QStringList{"0", "0"} << QStringList{}
            << false << 0.0f << QStringList{"0", "0", "0"} << 0.0f << QStringList{"0", "0"};
    }
    void sessions()
    {
        QFETCH(QStringList, saved);
        QFETCH(QStringList, typed);
        QFETCH(bool, choice);
        CalibrationState state = CalibrationState::fromSettings(saved[0], saved[1], !choice);
        QCOMPARE(int(state.Taulun_Lukema()), int(commitReading(saved[0]).value_or(0)));
        state.windowCreated();
        if (!typed.isEmpty())
            state.setReadingTexts(typed[0], typed[1]);
        QCOMPARE(state.Kalibrointi_Kaytossa(), !choice); // only closing commits the choice
        state.commit(choice);
        QCOMPARE(state.Kalibrointi_Kaytossa(), choice);
        QTEST(state.Virhemarginaali(), "margin");
        state.windowCreated();
        QTEST((QStringList{state.displayText(), state.meterText(), state.marginText()}), "reopened");
        QTEST(state.Virhemarginaali(), "marginAfter");
        QTEST((QStringList{state.displaySetting(), state.meterSetting()}), "settings");
    }

    // With the window still open at program end, readings are saved as typed, and a
    // text that is no reading falls back to the committed one.
    void settingsWhileTheWindowIsOpen_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("saved");
        QTest::newRow("typed reading kept as typed") << "97,5" << "97,5";
        QTest::newRow("empty field keeps the committed 100") << "" << "100";
        QTest::newRow("beyond 16 bits keeps 100") << "40000" << "100";
    }
    void settingsWhileTheWindowIsOpen()
    {
        QFETCH(QString, display);
        CalibrationState state = CalibrationState::fromSettings("100", "105", true);
        state.setReadingTexts(display, "105");
        QTEST(state.displaySetting(), "saved");
        QCOMPARE(state.meterSetting(), QStringLiteral("105"));
    }

    void startUpSequence_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<float>("margin");
        QTest::newRow("100 / 105") << "100" << "105" << 5.0f;
        QTest::newRow("110 / 100") << "110" << "100" << -10.0f;
        // The display is filled first, while the meter still holds 0.
        QTest::newRow("unreadable meter after the display") << "100" << "x" << -100.0f;
        QTest::newRow("both 0") << "0" << "0" << 0.0f;
    }
    void startUpSequence()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        QTEST(CalibrationState::fromSettings(display, meter, false).Virhemarginaali(), "margin");
    }
};

QTEST_APPLESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
