#include "calculator/NumberText.h"
#include "calculator/TripCalculation.h"
#include "calibration/CalibrationState.h"
#include "calibration/ErrorMargin.h"

#include <QTest>
#include <algorithm>

using namespace tankeli;

namespace {
TripTexts texts(const QStringList &l)
{
    TripTexts t;
    for (int i = 0; i < TripFieldCount; ++i)
        t[i] = l.value(i, QStringLiteral("0"));
    return t;
}
} // namespace

// The number texts, the trip calculation and the calibration arithmetic.
class TestCalculator : public QObject
{
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // as written back, to seven digits; empty: refused
        const QList<std::pair<const char *, const char *>> rows{
            {"1,3", "1,3"}, {"1,30", "1,3"}, {"-6,5", "-6,5"}, {"+2", "2"}, {",5", "0,5"}, {"5,", "5"},
            {"1,234568E+08", "1,234568E+08"}, {"1e-05", "1E-05"}, {" 7 ", "7"}, {"3,402823E+38", "3,402823E+38"},
            {"1E-50", "0"}, {"1,00000006E+28", "9,999999E+27"}, {"1,401298E-45", "1,401298E-45"}, {"", ""}, {"  ", ""}, {"abc", ""}, {"6.5", ""},
            {"1,2,3", ""}, {"12a", ""}, {"-", ""}, {",", ""}, {"1E", ""}, {"1E+", ""}, {"E5", ""}, {"inf", ""},
            {"nan", ""}, {"0x10", ""}, {"1 000", ""}, {"3,5E+38", ""}, {"--1", ""}, {"5 %", ""}, {"100", "100"}, {"-0", "0"},
            {"769,2308", "769,2308"}, {"15,384616", "15,38462"}, {"8,8724994", "8,872499"}, {"1234567", "1234567"},
            {"12345678", "1,234568E+07"}, {"1E+10", "1E+10"}, {"0,0001", "0,0001"}, {"0,00001", "1E-05"}};
        for (const auto &[text, value] : rows)
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(value);
        QTest::newRow("unicode minus") << QStringLiteral("\u22121") << "";
    }
    void reads()
    {
        QFETCH(QString, text);
        const auto value = textToSingle(text);
        QTEST(value ? singleToText(*value) : QString(), "value");
    }

    // Sums kept in double precision, written to seven digits: exponents of three digits,
    // rounding that carries into a new digit, zeros before and after the digits.
    void writesDoubles_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("a million") << 1e6 << "1000000";
        QTest::newRow("ten million") << 1e7 << "1E+07";
        QTest::newRow("rounds up into eight digits") << 9999999.5 << "1E+07";
        QTest::newRow("rounds to seven digits") << 123.4567891 << "123,4568";
        QTest::newRow("seven digits whole") << 1234567.4 << "1234567";
        QTest::newRow("a half") << 0.5 << "0,5";
        QTest::newRow("small, negative") << -0.00012345678 << "-0,0001234568";
        QTest::newRow("below a ten-thousandth") << 2.5e-5 << "2,5E-05";
        QTest::newRow("three-digit negative exponent") << -1.5e-300 << "-1,5E-300";
        QTest::newRow("negative zero") << -0.0 << "0";
    }
    void writesDoubles()
    {
        QFETCH(double, value);
        QTEST(doubleToText(value), "text");
    }

    // Fields, separated by ";": price, consumption, distance, trip price, litres, month
    // price, year price; a field left out is "0". An empty result is the failure message.
    void calculation_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<float>("margin"); // 0: calibration off
        QTest::addColumn<QString>("out");
        const char *a = "1,3;6,5;100;8,45;6,5;253,5;3084,25";
        const char *d = "1,3;6,5;769,2308;65;50;1950;23725";
        const char *e = "1,3;6,5;236,6864;20;15,38462;600;7300";
        const QList<std::tuple<const char *, const char *, float, const char *>> rows{
            {"A", "1,3;6,5;100", 0, a}, {"B", "1,3;0;100;0;6,5", 0, a}, {"C", "1,3;0;100;8,45", 0, a},
            {"D", "1,3;6,5;0;0;50", 0, d}, {"E", "1,3;6,5;0;20", 0, e},
            {"B before C", "1,3;0;100;20;6,5", 0, a}, {"D before E", "1,3;6,5;0;20;50", 0, d},
            {"E calibrated", "1,3;6,5;0;20", 5, e}, {"A calibrated", "1,3;6,5;100", 5, "1,3;6,5;100;8,872499;6,825;266,175;3238,462"},
            {"D calibrated", "1,45;7,2;0;0;40", -8, "1,45;7,2;603,8647;58;40;1740;21170"},
            {"B calibrated", "1,3;0;100;0;6,5", 5, "1,3;6,190476;100;8,45;6,5;253,5;3084,25"},
            {"C calibrated", "1,3;0;100;8,45", 5, "1,3;6,190476;100;8,45;6,5;253,5;3084,25"},
            {"only trip price", "1,3;0;0;10", 0, "1,3;0;0;10;0;300;3650"},
            {"only trip price, calibrated", "1,3;0;0;10", 5, "1,3;0;0;10;0;300;3650"},
            // Too few values: no case applies and no month price can be worked out.
            {"nothing known", "1,30", 0, ""}, {"only the month and year", "1,3;0;0;0;0;300;3650", 0, ""},
            {"only litres", "1,3;0;0;0;50", 0, ""}, {"only consumption", "1,3;6,5", 5, ""},
            {"negative trip price", "1,3;0;0;-5;0;9;9", 0, ""}, {"negative carried", "1,3;-2;0;0;0;5;7", 0, ""},
            {"a case with a price of 0 still works", "0;6,5;100", 0, "0;6,5;100;0;6,5;0;0"},
            {"decimal point", "1,3;6.5;100", 0, ""}, {"letters in the year", "1,3;6,5;100;0;0;0;x", 0, ""},
            {"price 0 in C", "0;0;100;8,45", 0, ""}, {"price 0 in E", "0;6,5;0;20", 0, ""},
            {"factor 0 in B", "1,3;0;100;0;6,5", -100, ""}, {"overflow", "3E+38;1E+30;1E+30", 0, ""},
            {"year overflow", "1,3;0;0;3E+37", 0, ""}};
        for (const auto &[name, in, margin, out] : rows)
            QTest::newRow(name) << QString::fromLatin1(in) << margin << QString::fromLatin1(out);
    }
    void calculation()
    {
        QFETCH(QString, in);
        QFETCH(float, margin);
        const QStringList fields = in.split(';');
        const Calibration calibration{margin != 0.0f, margin};
        const Outcome<TripTexts> result = calculateTrip(texts(fields), calibration);
        const QString written = result ? QStringList(result->begin(), result->end()).join(';') : QString();
        QTEST(result.error() == tripFailureMessage || result ? written : QStringLiteral("?"), "out");
        // Case D writes the reading that the calibration corrects: the next calculation
        // (case A) gives back the same litres and trip price.
        if (result && fields.value(Distance) == "0" && fields.value(Litres, "0") != "0") {
            const Outcome<TripTexts> again = calculateTrip(*result, calibration);
            QVERIFY(again);
            QTEST(QStringList(again->begin(), again->end()).join(';'), "out");
        }
    }

    // After a calculation every field holds a value; the user then clears some fields to
    // 0 and types one value, and calculates again. The first case whose two values are
    // there wins, whatever the fields left from before say.
    void recalculation_data()
    {
        QTest::addColumn<QString>("typed");        // the fields of the first calculation, as in calculation()
        QTest::addColumn<QList<int>>("cleared");   // the fields then set to 0
        QTest::addColumn<int>("edited");           // the field then typed into
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("out");
        const char *a = "1,3;6,5;100;8,45;6,5;253,5;3084,25";
        const char *doubled = "1,3;6,5;200;16,9;13;507;6168,5";
        const char *ten = "1,3;10;100;13;10;390;4745";
        const QList<std::tuple<const char *, const char *, QList<int>, TripField, const char *, const char *>> rows{
            {"A: a new price", "1,3;6,5;100", {}, Price, "2", "2;6,5;100;13;6,5;390;4745"},
            {"A: a typed trip price gives way", "1,3;6,5;100", {}, TripPrice, "20", a},
            {"A: after case E, the trip price gives way", "1,3;6,5;0;20", {}, Distance, "100", a},
            {"B before C: no consumption, new litres", "1,3;6,5;100", {Consumption}, Litres, "10", ten},
            {"C: no consumption or litres, a new trip price", "1,3;6,5;100", {Consumption, Litres}, TripPrice, "13", ten},
            {"D before E: no distance, new litres", "1,3;6,5;100", {Distance}, Litres, "13", doubled},
            {"D: a negative distance counts as none", "1,3;6,5;100", {}, Distance, "-5", "1,3;6,5;100;8,45;6,5;253,5;3084,25"},
            {"E: no distance or litres, a new trip price", "1,3;6,5;100", {Distance, Litres}, TripPrice, "16,9", doubled},
            {"none: the old litres stay, the month follows the trip price", "1,3;6,5;100", {Consumption, Distance}, TripPrice,
             "10", "1,3;0;0;10;6,5;300;3650"}};
        for (const auto &[name, typed, cleared, edited, value, out] : rows)
            QTest::newRow(name) << QString::fromLatin1(typed) << cleared << int(edited) << QString::fromLatin1(value)
                                << QString::fromLatin1(out);
    }
    void recalculation()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, cleared);
        QFETCH(int, edited);
        QFETCH(QString, value);
        const Calibration off{false, 0};
        const Outcome<TripTexts> first = calculateTrip(texts(typed.split(';')), off);
        QVERIFY(first && std::ranges::count(*first, QStringLiteral("0")) == 0);
        TripTexts fields = *first;
        for (const int field : cleared)
            fields[field] = QStringLiteral("0");
        fields[edited] = value;
        const Outcome<TripTexts> result = calculateTrip(fields, off);
        QVERIFY2(result, qPrintable(result.error()));
        QTEST(QStringList(result->begin(), result->end()).join(';'), "out");
    }

    void margins_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<QString>("shown"); // empty: no margin
        const QList<std::array<const char *, 3>> rows{
            {"100", "105", "5 %"}, {"97", "100", "3 %"}, {"110", "100", "-10 %"}, {"80", "80", "0 %"},
            {"100", "129", "28 %"}, {"100", "93", "-8 %"}, {"5", "28", "459 %"}, {"97,5", "100", "2 %"},
            {"-5", "-5", "0 %"}, {"1E-30", "1", "1E+32 %"}, {"0", "100", ""}, {"0", "0", ""}, {"", "100", ""},
            {"100", "", ""}, {"sata", "100", ""}, {"97.5", "100", ""}, {"1E-300", "1E+10", ""}};
        for (const auto &[display, meter, shown] : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 / %2").arg(display, meter)))
                << QString::fromLatin1(display) << QString::fromLatin1(meter) << QString::fromLatin1(shown);
    }
    void margins()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        const auto margin = Laske_Virhemarginaali(display, meter);
        QTEST(margin ? marginText(*margin) : QString(), "shown");
    }

    // The calibration state through a session: start-up from the saved readings, readings
    // typed, the window closed (commit) and opened again; texts are separated by ";".
    void sessions_data()
    {
        QTest::addColumn<QString>("savedDisplay"); // settings line 2
        QTest::addColumn<QString>("savedMeter");   // settings line 3
        QTest::addColumn<QString>("typed");        // readings typed in turn, "display;meter|..."
        QTest::addColumn<float>("marginOpen");     // the margin in force, the window still open
        QTest::addColumn<QString>("line2");        // the settings' lines as then written
        QTest::addColumn<QString>("line3");
        QTest::addColumn<float>("marginClosed");   // in force after closing, and after a restart
        QTest::addColumn<QString>("marginShown");  // the margin field of the window opened again
        QTest::newRow("97,5 commits as 98") << "0" << "0" << "97,5;100" << 2.f << "97,5" << "100" << 2.f << "2 %";
        QTest::newRow("96,5: the committed 96 gives the margin on closing") << "0" << "0" << "96,5;100" << 3.f << "96,5" << "100" << 4.f << "4 %";
        QTest::newRow("emptied display keeps the saved 100") << "100" << "105" << ";105" << 5.f << "100" << "105" << 5.f << "5 %";
        QTest::newRow("abc and 70000 keep their readings") << "100" << "105" << "abc;70000" << 5.f << "100" << "105" << 5.f << "5 %";
        QTest::newRow("speeds up to 32767") << "0" << "0" << "32767;32766" << -1.f << "32767" << "32766" << -1.f << "-1 %";
        QTest::newRow("40000 cannot be kept") << "0" << "0" << "100;40000" << 0.f << "100" << "0" << 0.f << "0";
        QTest::newRow("-100 is no speed") << "0" << "0" << "-100;100" << 0.f << "0" << "100" << 0.f << "0";
        QTest::newRow("-2,5 and 32767,5 are no speeds") << "100" << "105" << "-2,5;32767,5" << 5.f << "100" << "105" << 5.f << "5 %";
        QTest::newRow("typing 40000 passes 4000") << "100" << "105" << "100;4000|100;40000" << 3900.f << "100" << "105" << 5.f << "5 %";
        // The display is taken first, while the meter still holds 0.
        QTest::newRow("unreadable saved meter") << "100" << "x" << "" << 0.f << "100" << "0" << 0.f << "0";
        QTest::newRow("nothing saved: margin field shows 0") << "0" << "0" << "" << 0.f << "0" << "0" << 0.f << "0";
    }
    void sessions()
    {
        QFETCH(QString, savedDisplay);
        QFETCH(QString, savedMeter);
        QFETCH(QString, typed);
        CalibrationState state = CalibrationState::fromSettings(savedDisplay, savedMeter, false);
        state.windowCreated();
        for (const QString &pair : typed.split('|', Qt::SkipEmptyParts))
            state.setReadingTexts(pair.section(';', 0, 0), pair.section(';', 1));
        QTEST(state.Virhemarginaali(), "marginOpen");
        QTEST(state.displaySetting(), "line2");
        QTEST(state.meterSetting(), "line3");
        QVERIFY(!state.Kalibrointi_Kaytossa()); // only closing commits the choice
        state.commit(true);
        QVERIFY(state.Kalibrointi_Kaytossa());
        QTEST(state.Virhemarginaali(), "marginClosed");
        state.windowCreated();
        QTEST(state.marginText(), "marginShown");
        QTEST(state.Virhemarginaali(), "marginClosed");
        // The window shows what the settings keep, and a restart gives the margin in force.
        QCOMPARE(state.displaySetting() + ';' + state.meterSetting(), state.displayText() + ';' + state.meterText());
        QCOMPARE(CalibrationState::fromSettings(state.displaySetting(), state.meterSetting(), true).Virhemarginaali(),
                 state.Virhemarginaali());
    }

};

QTEST_APPLESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
