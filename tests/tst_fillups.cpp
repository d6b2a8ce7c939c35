// The fill-up log without its window: the chains from full tank to full tank, the rows a
// user types and what is refused, the log file kept whole (and a damaged one never
// written), the general CSV reader, and each program's export brought in.
#include "fillups/CsvText.h"
#include "calculator/NumberText.h"
#include "fillups/FillUpImport.h"
#include "fillups/FillUpLog.h"
#include "vehicles/VehicleComparison.h"

#include "FileBytes.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>

using namespace tankeli;

namespace {

const QDate today(2024, 6, 30);

// A log written compactly, one fill-up a string: "date odometer amount kind", kind F
// (full) or P (partial), with M added where the fill-up before it was missed ("FM").
QList<FillUp> logOf(const QStringList &rows)
{
    QList<FillUp> log;
    for (const QString &row : rows) {
        const QStringList p = row.split(u' ');
        FillUp f;
        f.date = QDate::fromString(p[0], Qt::ISODate);
        f.odometer = p[1].toDouble();
        f.amount = p[2].toDouble();
        f.price = 1;
        f.total = f.amount;
        f.full = p[3].contains(u'F');
        f.missedBefore = p[3].contains(u'M');
        log << f;
    }
    return log;
}

QString textOf(const std::optional<double> &value)
{
    return value ? doubleToText(*value) : QString();
}

QStringList rowsOf(const CsvRows &parsed)
{
    QStringList rows;
    for (const CsvRow &row : parsed.rows)
        rows << QString::number(row.row) + u':' + row.fields.join(u'|');
    return rows;
}

QByteArray utf16(const QString &text, bool littleEndian)
{
    QByteArray out(littleEndian ? "\xFF\xFE" : "\xFE\xFF");
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8);
        const char lo = char(c.unicode() & 0xFF);
        out.append(littleEndian ? lo : hi);
        out.append(littleEndian ? hi : lo);
    }
    return out;
}

// Samples of each program's export, written here from the column names their
// documentation and the issue give; values chosen so that each result is worked by hand.
const QByteArray fuellyMetric =
    "car_name,model,l/100km,odometer,km,litres,price,city_percentage,fuelup_date,date_added,tags,notes,missed_fuelup,partial_fuelup\r\n"
    "Octavia,Skoda,,15000,0,45.0,1.8,50,2024-03-01,2024-03-01,,first,0,0\r\n"
    "Octavia,Skoda,6.0,15750,750,45.0,1.8,50,2024-03-15,2024-03-16,,,0,0\r\n"
    "Octavia,Skoda,,16000,250,15.0,2,50,2024-03-20,2024-03-20,,\"Shell, Espoo\",0,1\r\n";
const QByteArray fuellyUs =
    "car_name,model,mpg,odometer,miles,gallons,price,city_percentage,fuelup_date,date_added,tags,notes,missed_fuelup,partial_fuelup\n"
    "Civic,Honda,,10000,0,10,3.785411784,60,03/01/2024,03/01/2024,,,false,false\n"
    "Civic,Honda,30,10300,300,10,3.785411784,60,03/13/2024,03/13/2024,,,FALSE,FALSE\n";
const QByteArray fuelio =
    "\"## Vehicle\"\n"
    "\"Name\",\"Description\",\"DistUnit\",\"FuelUnit\"\n"
    "\"Auto\",\"\",\"0\",\"0\"\n"
    "\"## Log\"\n"
    "\"Data\",\"Odo(km)\",\"Fuel(litres)\",\"Full\",\"Price(optional)\",\"l/100km(optional)\",\"City(optional)\",\"Notes(optional)\",\"Missed\",\"VolumePrice\"\n"
    "\"2024-01-05 08:10\",\"20000\",\"40\",\"1\",\"72\",\"0\",\"\",\"\",\"0\",\"1.8\"\n"
    "\"2024-01-20 17:45\",\"20600\",\"36\",\"1\",\"64.8\",\"6\",\"Espoo\",\"\",\"0\",\"1.8\"\n"
    "\"2024-02-02 12:00\",\"21400\",\"30\",\"1\",\"57\",\"0\",\"\",\"\",\"1\",\"1.9\"\n"
    "\"## CostCategories\"\n"
    "\"CostTypeID\",\"Name\"\n"
    "\"1\",\"Service\"\n";
const QByteArray spritmonitor =
    "Date;Odometer;Trip;Quantity;Total price;Currency;Type;Note\r\n"
    "01.02.2024;30.000;;50,00;90,00;EUR;1;\r\n"
    "15.02.2024;30.400;400;20,00;37,00;EUR;2;Teilbetankung\r\n"
    "01.03.2024;30.800;800;30,00;54,00;EUR;1;\r\n"
    "20.03.2024;31.000;200;10,00;18,00;EUR;3;\r\n";
const QByteArray drivvo =
    "##Refuelling\n"
    "Odometer,Date,Fuel,Price,Total cost,Volume,Full tank,Previous refuelling missing,Note\n"
    "5000,2024-04-01 08:30,Gasoline,1.9,76.0,40,Yes,No,\n"
    "5450,2024-04-15 17:00,Gasoline,1.9,57.0,30,Yes,No,ferry\n"
    "\n"
    "##Service\n"
    "Odometer,Date,Total cost\n"
    "5500,2024-04-20,120\n";
const QByteArray lubeLogger =
    "date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\r"
    "1/15/2024,8000,35.5,63.9,True,False,\r"
    "1/29/2024,8500,30,54,True,False,\r"
    "2/14/2024,8800,12,21.6,False,False,top-up\r";

} // namespace

class TestFillUps : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // The worked columns: the distance to each fill-up and each full fill-up's consumption
    // from the previous full one, the average over whole chains.
    void chains_data()
    {
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<float>("margin"); // calibration on with this margin; 0: off
        QTest::addColumn<QStringList>("driven");
        QTest::addColumn<QStringList>("consumption");
        QTest::addColumn<QString>("average");
        QTest::newRow("full to full") << QStringList{"2024-01-01 10000 40 F", "2024-01-10 10500 30 F"} << 0.0f
                                      << QStringList{"", "500"} << QStringList{"", "6"} << "6";
        QTest::newRow("a partial counts toward the next full")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-05 10200 10 P", "2024-01-10 10500 20 F"} << 0.0f
            << QStringList{"", "200", "300"} << QStringList{"", "", "6"} << "6";
        QTest::newRow("a missed fill starts a new chain without a figure")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-10 10500 30 F", "2024-02-01 11500 35 FM", "2024-02-10 12000 25 F"}
            << 0.0f << QStringList{"", "500", "1000", "500"} << QStringList{"", "6", "", "5"} << "5,5";
        QTest::newRow("missed on a partial: its amount is no chain's")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-05 10300 15 PM", "2024-01-10 10500 20 F", "2024-01-20 11000 40 F"}
            << 0.0f << QStringList{"", "300", "200", "500"} << QStringList{"", "", "", "8"} << "8";
        QTest::newRow("partials before the first full are no chain's")
            << QStringList{"2024-01-01 9800 10 P", "2024-01-02 10000 40 F", "2024-01-10 10400 24 F"} << 0.0f
            << QStringList{"", "200", "400"} << QStringList{"", "", "6"} << "6";
        QTest::newRow("average is total over total, not a mean of figures")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-10 10100 10 F", "2024-01-20 11000 45 F"} << 0.0f
            << QStringList{"", "100", "900"} << QStringList{"", "10", "5"} << "5,5";
        QTest::newRow("calibration on: distances corrected as the calculator does")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-10 10500 26 F"} << 4.0f
            << QStringList{"", "520"} << QStringList{"", "5"} << "5";
        QTest::newRow("no distance, no figure") << QStringList{"2024-01-01 10000 40 F", "2024-01-01 10000 5 F"} << 0.0f
                                                << QStringList{"", "0"} << QStringList{"", ""} << "";
        QTest::newRow("one fill-up") << QStringList{"2024-01-01 10000 40 F"} << 0.0f << QStringList{""} << QStringList{""} << "";
    }
    void chains()
    {
        QFETCH(QStringList, log);
        QFETCH(float, margin);
        const WorkedLog worked = workOutLog(logOf(log), {margin != 0, margin});
        QStringList driven;
        QStringList consumption;
        for (const WorkedRow &row : worked.rows) {
            driven << textOf(row.driven);
            consumption << textOf(row.consumption);
        }
        QTEST(driven, "driven");
        QTEST(consumption, "consumption");
        QTEST(textOf(worked.average), "average");
    }

    // The curve under the table: a point for each figure of the table, reading as it does.
    void curvePoints_data()
    {
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("points"); // date, then the value as the chart writes it
        QTest::newRow("a seventh digit single precision alone would round down")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-10 11030 38.3 F"} << QStringList{"2024-01-10 3,718447"};
        QTest::newRow("partials and the first after a missed fill give no point")
            << QStringList{"2024-01-01 10000 40 F", "2024-01-05 10200 10 P", "2024-01-10 10500 20 F",
                           "2024-02-01 11500 35 FM", "2024-02-10 12000 25 F"}
            << QStringList{"2024-01-10 6", "2024-02-10 5"};
    }
    void curvePoints()
    {
        QFETCH(QStringList, log);
        const QList<FillUp> fillUps = logOf(log);
        const ConsumptionCurve curve = consumptionCurve(fillUps, workOutLog(fillUps, {}));
        QStringList points;
        for (qsizetype i = 0; i < curve.series.size(); ++i)
            points << curve.dates.value(i).toString(Qt::ISODate) + u' ' + singleToText(curve.series[i]);
        QTEST(points, "points");
    }

    // A typed row: any two of amount, price and total give the third; what is refused names
    // the row and the field. Today is 2024-06-30; the log holds 2024-03-01 at 12500 km and
    // 2024-04-01 at 13000 km.
    void rowChecks_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("odometer");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("taken"); // amount; price; total, or empty when refused
        QTest::addColumn<QString>("message");
        const QString any = "2024-03-10";
        QTest::newRow("amount and price give the total") << any << "12600" << "40" << "1,8" << "" << "40; 1,8; 72" << "";
        QTest::newRow("a worked total is in cents") << any << "12600" << "33,33" << "1,859" << "" << "33,33; 1,859; 61,96" << "";
        QTest::newRow("amount and total give the price") << any << "12600" << "40" << "" << "72" << "40; 1,8; 72" << "";
        QTest::newRow("price and total give the amount") << any << "12600" << "" << "1,8" << "72" << "40; 1,8; 72" << "";
        QTest::newRow("all three are kept as given") << any << "12600" << "40" << "1,8" << "72,01" << "40; 1,8; 72,01" << "";
        QTest::newRow("today is no future") << "2024-06-30" << "13100" << "40" << "1,8" << "" << "40; 1,8; 72" << "";
        QTest::newRow("same day as a reading: either order")
            << "2024-03-01" << "12400" << "40" << "1,8" << "" << "40; 1,8; 72" << "";
        QTest::newRow("no such day") << "30.2.2024" << "12600" << "40" << "1,8" << "" << ""
            << "Rivi 4, Päivämäärä: \"30.2.2024\" ei ole päivämäärä. Kirjoita se muodossa 2024-03-07 tai 7.3.2024.";
        QTest::newRow("no reading") << any << "" << "40" << "1,8" << "" << ""
            << "Rivi 4, Mittarilukema (km): lukema puuttuu. Kirjoita matkamittarin lukema kilometreinä.";
        QTest::newRow("a thousands point is no reading") << any << "12.600" << "40" << "1,8" << "" << ""
            << "Rivi 4, Mittarilukema (km): \"12.600\" ei ole mittarin lukema. Kirjoita kilometrit numeroina, esimerkiksi 12345,6.";
        QTest::newRow("zero amount") << any << "12600" << "0" << "1,8" << "" << ""
            << "Rivi 4, Määrä (l): arvon pitää olla suurempi kuin nolla.";
        QTest::newRow("a decimal point") << any << "12600" << "40.5" << "1,8" << "" << ""
            << "Rivi 4, Määrä (l): \"40.5\" ei ole luku. Kirjoita luku desimaalipilkulla, esimerkiksi 1,859.";
    }
    void rowChecks()
    {
        QFETCH(QString, date);
        QFETCH(QString, odometer);
        QFETCH(QString, amount);
        QFETCH(QString, price);
        QFETCH(QString, total);
        const QList<FillUp> others = logOf({"2024-03-01 12500 40 F", "2024-04-01 13000 40 F"});
        const RowCheck check = checkRow({date, odometer, amount, price, total, true, false, QString()}, others, today,
                                        "Rivi 4", Energy::Petrol);
        const QString taken = check.fillUp ? QStringList{doubleToText(check.fillUp->amount), doubleToText(check.fillUp->price),
                                                         doubleToText(check.fillUp->total)}.join("; ")
                                           : QString();
        QTEST(taken, "taken");
        QTEST(check.refusal ? check.refusal->message : QString(), "message");
    }

    // Dates as a row takes them: ISO or Finnish order, ASCII digits, nothing around them.
    void typedDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("date"); // ISO; empty: refused
        QTest::newRow("ISO") << "2024-03-07" << "2024-03-07";
        QTest::newRow("ISO, one-digit month and day, spaces around") << " 2024-3-7 " << "2024-03-07";
        QTest::newRow("Finnish") << "7.3.2024" << "2024-03-07";
        QTest::newRow("a two-digit year") << "7.3.24" << "";
        QTest::newRow("a five-digit year") << "12024-03-07" << "";
        QTest::newRow("something after it") << "2024-03-07x" << "";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٢٠٢٤-٠٣-٠٧") << "";
        QTest::newRow("empty") << "" << "";
    }
    void typedDates()
    {
        QFETCH(QString, text);
        const std::optional<QDate> date = dateFromText(text);
        QTEST(date ? date->toString(Qt::ISODate) : QString(), "date");
    }

    // The odometer check an import runs row after row: the log-time check refuses exactly
    // what the check against every fill-up refuses, naming the same fill-up, whether the
    // log is sorted or not, has several fill-ups a day, equal readings or falling ones.
    void odometerChecks_data()
    {
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("row"); // "date odometer"
        QTest::addColumn<QString>("problem");
        const QStringList rising{"2024-03-01 100 1 F", "2024-03-05 200 1 F", "2024-03-09 300 1 F"};
        const QString lower = "%1 on pienempi kuin aiemman päivän (%2) lukema %3. Tarkista lukema tai päivämäärä.";
        const QString higher = "%1 on suurempi kuin myöhemmän päivän (%2) lukema %3. Tarkista lukema tai päivämäärä.";
        QTest::newRow("equal to the earlier date's") << rising << "2024-03-07 200" << "";
        QTest::newRow("equal to the later date's") << rising << "2024-03-07 300" << "";
        QTest::newRow("below the nearest earlier date") << rising << "2024-03-07 199"
                                                         << lower.arg("199", "2024-03-05", "200");
        QTest::newRow("below two earlier dates: the nearest is named")
            << rising << "2024-03-07 50" << lower.arg("50", "2024-03-05", "200");
        QTest::newRow("above two later dates: the nearest is named")
            << rising << "2024-03-02 350" << higher.arg("350", "2024-03-05", "200");
        QTest::newRow("above a later date") << rising << "2024-03-02 250" << higher.arg("250", "2024-03-05", "200");
        QTest::newRow("several a day, the highest counts")
            << QStringList{"2024-03-01 100 1 F", "2024-03-01 180 1 F", "2024-03-05 200 1 F"} << "2024-03-03 150"
            << lower.arg("150", "2024-03-01", "180");
        QTest::newRow("several a day, the lowest counts")
            << QStringList{"2024-03-01 100 1 F", "2024-03-05 260 1 F", "2024-03-05 200 1 F"} << "2024-03-03 250"
            << higher.arg("250", "2024-03-05", "200");
        QTest::newRow("a log out of order") << QStringList{"2024-03-09 300 1 F", "2024-03-01 100 1 F"} << "2024-03-05 350"
                                            << higher.arg("350", "2024-03-09", "300");
        QTest::newRow("a log whose readings fall: first clash named")
            << QStringList{"2024-03-01 500 1 F", "2024-03-09 100 1 F"} << "2024-03-05 300"
            << lower.arg("300", "2024-03-01", "500");
        QTest::newRow("a log that falls, then rises: every earlier date counts")
            << QStringList{"2024-03-01 500 1 F", "2024-03-05 200 1 F", "2024-03-09 300 1 F"} << "2024-03-07 250"
            << lower.arg("250", "2024-03-01", "500");
        QTest::newRow("an empty log") << QStringList{} << "2024-03-05 1" << "";
    }
    void odometerChecks()
    {
        QFETCH(QStringList, log);
        QFETCH(QString, row);
        const QList<FillUp> fillUps = logOf(log);
        const FillUp candidate = logOf({row + " 1 F"})[0];
        QTEST(odometerProblem(candidate, fillUps).value_or(QString()), "problem");
        QTEST(OdometerCheck(fillUps).problem(candidate).value_or(QString()), "problem");
    }

    // The log file: written whole in the spreadsheet dialect; read back as it was; a file that
    // cannot be read whole is read-only with the reason, keeping what could be read.
    void logFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("problem"); // a part of it; empty: writable
        const QByteArray header = "\xEF\xBB\xBFPäivämäärä;Mittarilukema (km);Määrä (l);Hinta (€/l);Yhteensä (€);Täysi;Edellinen puuttuu;Huomautus\r\n";
        QTest::newRow("no log yet") << QByteArray() << 0 << "";
        QTest::newRow("a log, rows out of order")
            << header + "2024-03-02;12600;40;1,8;72;kyllä;ei;\r\n2024-03-01;12500;10;1,8;18;ei;kyllä;\"a;b\"\r\n" << 2 << "";
        QTest::newRow("the export's worked columns are left aside")
            << QByteArray("Päivämäärä;Mittarilukema (km);Määrä (l);Hinta (€/l);Yhteensä (€);Täysi;Edellinen puuttuu;Huomautus;Ajettu (km);Kulutus (l/100 km)\n"
                          "2024-03-02;12600;40;1,8;72;kyllä;ei;;100;6\n") << 1 << "";
        QTest::newRow("a damaged row: read-only, the rest shown")
            << header + "2024-03-01;12500;40;1,8;72;kyllä;ei;\r\n2024-03-02;12x00;40;1,8;72;kyllä;ei;\r\n2024-03-03;12700;40;1,8;72;kyllä;ei;\r\n"
            << 2 << "(rivi 3: \"12x00\" ei ole luku)";
        QTest::newRow("cut off inside a quote") << header + "2024-03-01;12500;40;1,8;72;kyllä;ei;\"Neste\r\n" << 0 << "rivi 2";
        QTest::newRow("no header") << QByteArray("2024-03-01;12500;40;1,8;72;kyllä;ei;\r\n") << 0 << "puuttuu otsikkoriviltä";
        QTest::newRow("binary junk") << QByteArray("\x00\x01\x02\xff", 4) << 0 << "rivi 1";
    }
    void logFile()
    {
        QFETCH(QByteArray, bytes);
        const QString path = dir.filePath("Tankkaukset.csv");
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(writeBytes(path, bytes));
        const LogReading reading = readFillUpLog(path);
        QTEST(int(reading.fillUps.size()), "rows");
        QFETCH(QString, problem);
        QCOMPARE(reading.readOnly(), !problem.isEmpty());
        QVERIFY2(reading.problem.contains(problem), qPrintable(reading.problem));
        for (qsizetype i = 1; i < reading.fillUps.size(); ++i)
            QVERIFY(!comesBefore(reading.fillUps[i], reading.fillUps[i - 1]));
    }

    // What a read-only log is: not a regular file, too large.
    void logNotRead()
    {
        const QString fifo = dir.filePath("fifo.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(readFillUpLog(fifo).problem.contains("ei ole tavallinen tiedosto"));
        const QString large = dir.filePath("large.csv");
        QVERIFY(writeBytes(large, QByteArray(maxLogBytes + 1, ' ')));
        QVERIFY(readFillUpLog(large).problem.contains("suurempi kuin 8 Mt"));
    }

    // The exact bytes: LibreOffice with Finnish settings takes the numbers and ISO dates as
    // such; a note that would run as a formula is text behind an apostrophe.
    void logBytes()
    {
        FillUp f{QDate(2024, 3, 7), 12345.6, 40.5, 1.859, 75.29, false, true, "=1+1"};
        const QByteArray expected =
            "\xEF\xBB\xBFPäivämäärä;Mittarilukema (km);Määrä (kWh);Hinta (€/kWh);Yhteensä (€);Täysi;Edellinen puuttuu;Huomautus\r\n"
            "2024-03-07;12345,6;40,5;1,859;75,29;ei;kyllä;'=1+1\r\n";
        QCOMPARE(fillUpLogBytes({f}, Energy::Electricity), expected);
        const QString path = dir.filePath("Data/Tankkaukset.csv");
        QDir().mkpath(dir.filePath("Data"));
        QVERIFY(writeFillUpLog(path, {f}, Energy::Electricity).ok());
        QCOMPARE(readBytes(path), expected);
        const LogReading back = readFillUpLog(path);
        QCOMPARE(back.fillUps, QList<FillUp>{f});
        QVERIFY(!back.readOnly());
    }

    // The general reader: encodings, line ends, quotes, and rows numbered as a spreadsheet
    // numbers them.
    void csvRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("problemRow"); // 0: none
        QTest::newRow("UTF-8 with its mark, CR LF") << QByteArray("\xEF\xBB\xBF" "a;ä\r\n1;2\r\n") << ";" << QStringList{"1:a|ä", "2:1|2"} << 0;
        QTest::newRow("LF, the last line without one") << QByteArray("a,b\n1,2") << "," << QStringList{"1:a|b", "2:1|2"} << 0;
        QTest::newRow("CR alone ends a line") << QByteArray("a;b\r1;2\r") << ";" << QStringList{"1:a|b", "2:1|2"} << 0;
        QTest::newRow("UTF-16 LE") << utf16("ä;b\r\n1;2\r\n", true) << ";" << QStringList{"1:ä|b", "2:1|2"} << 0;
        QTest::newRow("UTF-16 BE") << utf16("ä;b\n", false) << ";" << QStringList{"1:ä|b"} << 0;
        QTest::newRow("Windows-1252") << QByteArray("K\xe4se;\x80\r\n") << ";" << QStringList{"1:Käse|€"} << 0;
        QTest::newRow("a quoted line break stays in its row") << QByteArray("\"a\r\nb\";c\r\nd\r\n") << ";"
                                                              << QStringList{"1:a\r\nb|c", "2:d"} << 0;
        QTest::newRow("doubled quotes, separator inside") << QByteArray("\"x \"\"y\"\";z\",w\n") << ","
                                                          << QStringList{"1:x \"y\";z|w"} << 0;
        QTest::newRow("empty lines are rows without fields") << QByteArray("a\n\nb\n") << ";" << QStringList{"1:a", "3:b"} << 0;
        QTest::newRow("a quote that never closes") << QByteArray("a\n\"b\nc\n") << ";" << QStringList{"1:a"} << 2;
    }
    void csvRows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        const CsvRows parsed = parseCsv(decodeText(bytes), separator[0]);
        QTEST(rowsOf(parsed), "rows");
        QTEST(parsed.problems.isEmpty() ? 0 : parsed.problems[0].row, "problemRow");
    }

    // Each program's export: the format found, the fill-ups taken (the first one in full),
    // the date range, the rows refused and the rows the log holds already.
    void imports_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("log"); // fill-ups the log holds already
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("taken");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("first"); // date; km; amount; price; total; full; missed; note
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<int>("alreadyInLog");
        QTest::newRow("Fuelly, metric") << fuellyMetric << QStringList{} << "Fuelly" << 3 << "2024-03-01 2024-03-20"
                                        << "2024-03-01; 15000; 45; 1,8; 81; F; -; first" << QStringList{} << 0;
        QTest::newRow("Fuelly, partial and quoted note")
            << fuellyMetric << QStringList{"2024-03-01 15000 45 F", "2024-03-15 15750 45 F"} << "Fuelly" << 1
            << "2024-03-20 2024-03-20" << "2024-03-20; 16000; 15; 2; 30; P; -; Shell, Espoo" << QStringList{} << 2;
        QTest::newRow("Fuelly, miles and US gallons") << fuellyUs << QStringList{} << "Fuelly" << 2 << "2024-03-01 2024-03-13"
                                                      << "2024-03-01; 16093,44; 37,85412; 1; 37,85; F; -; " << QStringList{} << 0;
        QTest::newRow("Fuelio, its log section") << fuelio << QStringList{} << "Fuelio" << 3 << "2024-01-05 2024-02-02"
                                                 << "2024-01-05; 20000; 40; 1,8; 72; F; -; " << QStringList{} << 0;
        QTest::newRow("Spritmonitor, thousands points, type 3 refused")
            << spritmonitor << QStringList{} << "Spritmonitor" << 3 << "2024-02-01 2024-03-01"
            << "2024-02-01; 30000; 50; 1,8; 90; F; -; "
            << QStringList{"5: tankkauksen tyyppi \"3\" ei ole 1 (täysi) eikä 2 (osittainen)."} << 0;
        QTest::newRow("Drivvo, its refuelling section") << drivvo << QStringList{} << "Drivvo" << 2 << "2024-04-01 2024-04-15"
                                                        << "2024-04-01; 5000; 40; 1,9; 76; F; -; " << QStringList{} << 0;
        QTest::newRow("LubeLogger, CR line ends, month first")
            << lubeLogger << QStringList{} << "LubeLogger" << 3 << "2024-01-15 2024-02-14"
            << "2024-01-15; 8000; 35,5; 1,8; 63,9; F; -; " << QStringList{} << 0;
        QTest::newRow("Tankeli's own export, read back")
            << fillUpLogBytes(logOf({"2024-05-01 100 10 F", "2024-05-09 300 12 PM"}), Energy::Petrol, {}, true)
            << QStringList{} << "Tankeli" << 2 << "2024-05-01 2024-05-09" << "2024-05-01; 100; 10; 1; 10; F; -; "
            << QStringList{} << 0;
        QTest::newRow("a row twice in the file is taken once")
            << QByteArray("date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\n"
                          "1/15/2024,8000,35.5,63.9,True,False,\n1/15/2024,8000,35.5,63.9,True,False,\n")
            << QStringList{} << "LubeLogger" << 1 << "2024-01-15 2024-01-15" << "2024-01-15; 8000; 35,5; 1,8; 63,9; F; -; "
            << QStringList{} << 1;
        // Numbers as other programs write them: a point that is a decimal point in a comma
        // file, a plus sign, a point with no decimals after it, points between thousands
        // and a decimal comma in a semicolon file.
        QTest::newRow("numbers: a point and a plus in a comma file")
            << QByteArray("date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\n"
                          "1/15/2024,1.000,35.,+63.9,True,False,\n")
            << QStringList{} << "LubeLogger" << 1 << "2024-01-15 2024-01-15" << "2024-01-15; 1; 35; 1,825714; 63,9; F; -; "
            << QStringList{} << 0;
        QTest::newRow("numbers: thousands points and a decimal comma in a semicolon file")
            << QByteArray("Date;Odometer;Trip;Quantity;Total price;Currency;Type;Note\r\n"
                          "01.02.2024;1.234.567;;50,5;1.090,80;EUR;1;\r\n")
            << QStringList{} << "Spritmonitor" << 1 << "2024-02-01 2024-02-01" << "2024-02-01; 1234567; 50,5; 21,6; 1090,8; F; -; "
            << QStringList{} << 0;
        // Dates of other programs, read at the start of the cell.
        QTest::newRow("dates: ISO with slashes and a time, Finnish, day first above 12")
            << QByteArray("date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\n"
                          "2024/1/5 08:10,8000,30,54,True,False,\n"
                          "6.1.2024,8100,30,54,True,False,\n"
                          "13/1/2024,8200,30,54,True,False,\n"
                          "1/14/2024,8300,30,54,True,False,\n"
                          "20245-01-15,8400,30,54,True,False,\n"
                          "2024-01-160,8500,30,54,True,False,\n"
                          "2024-02-30,8600,30,54,True,False,\n"
                          "16.1.24,8700,30,54,True,False,\n")
            << QStringList{} << "LubeLogger" << 5 << "2024-01-05 2024-01-16" << "2024-01-05; 8000; 30; 1,8; 54; F; -; "
            << QStringList{"6: päivämäärä \"20245-01-15\" ei ole päivämäärä.", "8: päivämäärä \"2024-02-30\" ei ole päivämäärä.",
                           "9: päivämäärä \"16.1.24\" ei ole päivämäärä."}
            << 0;
        QTest::newRow("rows that cannot be fill-ups, by row number")
            << QByteArray("date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\n"
                          "yesterday,8000,35.5,63.9,True,False,\n"
                          "1/15/2024,8000,abc,63.9,True,False,\n"
                          "1/16/2024,8100,30,54,maybe,False,\n"
                          "7/15/2024,9000,30,54,True,False,\n"
                          "1/17/2024,7000,30,54,True,False,\n"
                          "1/18/2024,8200,0,54,True,False,\n"
                          "1/19/2024,8300,30,54,True,False,\n")
            << QStringList{"2024-01-10 7500 30 F"} << "LubeLogger" << 1 << "2024-01-19 2024-01-19"
            << "2024-01-19; 8300; 30; 1,8; 54; F; -; "
            << QStringList{"2: päivämäärä \"yesterday\" ei ole päivämäärä.", "3: \"abc\" ei ole luku.",
                           "4: täyttä tai puuttuvaa edellistä tankkausta ei voi lukea: kirjoita true/false, yes/no tai 1/0.",
                           "5: Päivämäärä: 2024-07-15 on tulevaisuudessa. Kirjoita päivä, jona tankkasit.",
                           "6: Mittarilukema (km): 7000 on pienempi kuin aiemman päivän (2024-01-10) lukema 7500. Tarkista lukema tai päivämäärä.",
                           "7: Määrä (l): arvon pitää olla suurempi kuin nolla."}
            << 0;
    }
    void imports()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, log);
        const Outcome<ImportPreview> preview = previewImport(bytes, "f.csv", logOf(log), today, Energy::Petrol);
        QVERIFY2(preview.ok(), qPrintable(preview.error()));
        QTEST(formatName(preview->format), "format");
        QTEST(int(preview->fillUps.size()), "taken");
        QTEST(preview->first ? preview->first->toString(Qt::ISODate) + ' ' + preview->last->toString(Qt::ISODate) : QString(), "range");
        QString first;
        if (!preview->fillUps.isEmpty()) {
            const FillUp &f = preview->fillUps[0].fillUp;
            first = QStringList{f.date.toString(Qt::ISODate), doubleToText(f.odometer), doubleToText(f.amount), doubleToText(f.price),
                                doubleToText(f.total), f.full ? "F" : "P", f.missedBefore ? "M" : "-", f.note}.join("; ");
        }
        QTEST(first, "first");
        QStringList refused;
        for (const CsvProblem &p : preview->refused)
            refused << QString::number(p.row) + ": " + p.reason;
        QTEST(refused, "refused");
        QTEST(preview->alreadyInLog, "alreadyInLog");
    }

    // The vehicle comparison takes the measured average before the trips' average, with
    // the vehicle's own calibration (100 -> 105 km/h: distances × 1,05): 26,25 l over
    // 500 km × 1,05 is 5 l/100 km; the trips alone say 6.
    void comparison_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("consumption");
        QTest::addColumn<int>("source");
        const QByteArray header = "Päivämäärä;Mittarilukema (km);Määrä (l);Hinta (€/l);Yhteensä (€);Täysi;Edellinen puuttuu;Huomautus\r\n";
        QTest::newRow("a whole chain: measured") << header + "2024-01-01;10000;40;2;80;kyllä;ei;\r\n2024-01-09;10500;26,25;2;52,5;kyllä;ei;\r\n"
                                                 << "5,00 l/100 km" << int(ConsumptionSource::FillUps);
        QTest::newRow("no whole chain: the trips") << header + "2024-01-01;10000;40;2;80;kyllä;ei;\r\n2024-01-09;10500;26,25;2;52,5;ei;ei;\r\n"
                                                   << "6,00 l/100 km" << int(ConsumptionSource::Trips);
    }
    void comparison()
    {
        QFETCH(QByteArray, log);
        QTemporaryDir home;
        QDir(home.path()).mkpath("Data");
        QDir(home.path()).mkpath("stat");
        QVERIFY(writeBytes(home.filePath("Data/Arvot.txt"), "1,9\r\n100\r\n105\r\nTrue\r\nFalse\r\n"));
        QVERIFY(writeBytes(home.filePath("stat/a.sav"), "1,9\r\n6\r\n100\r\n11,4\r\n6\r\n"));
        if (!log.isEmpty())
            QVERIFY(writeBytes(home.filePath("Data/Tankkaukset.csv"), log));
        Garage garage{ProgramFolders(home.path())};
        garage.load();
        const Outcome<QList<ComparedVehicle>> compared = compareVehicles(garage, "100", {"1,9", "100", "105", true, false});
        QVERIFY(compared.ok());
        QTEST(comparisonCells(compared->first())[2], "consumption");
        QTEST(int(compared->first().source), "source");
    }

    // What the question says before an import.
    void previewWords()
    {
        const Outcome<ImportPreview> preview = previewImport(spritmonitor, "f.csv", logOf({"2024-02-01 30000 50 F"}), today, Energy::Petrol);
        QVERIFY(preview.ok());
        QCOMPARE(previewText(*preview),
                 QString("Tiedosto on Spritmonitor-vienti. Siitä tuodaan 2 tankkausta ajalta 15.2.2024–1.3.2024. "
                         "1 tankkaus on jo lokissa (sama päivä ja mittarilukema), eikä niitä tuoda uudelleen.\n\n"
                         "Näitä rivejä ei voida tuoda:\nrivi 5: tankkauksen tyyppi \"3\" ei ole 1 (täysi) eikä 2 (osittainen)."));
        QCOMPARE(withImported(logOf({"2024-02-01 30000 50 F"}), *preview).size(), 3);
    }

    // Files that are no fill-up export at all, named in the failure.
    void notAnExport_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("the trips' spreadsheet") << QByteArray("\xEF\xBB\xBFTiedosto;Päivämäärä;Bensanhinta (€/l)\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("a Fuelio file without its log") << QByteArray("\"## Vehicle\"\n\"Name\"\n\"Auto\"\n");
        QTest::newRow("a Fuelly file without litres") << QByteArray("car_name,odometer,fuelup_date,price\nA,1,2024-01-01,2\n");
    }
    void notAnExport()
    {
        QFETCH(QByteArray, bytes);
        const Outcome<ImportPreview> preview = previewImport(bytes, "f.csv", {}, today, Energy::Petrol);
        QVERIFY(!preview.ok());
        QVERIFY(preview.error().contains("f.csv"));
    }
};

QTEST_APPLESS_MAIN(TestFillUps)
#include "tst_fillups.moc"
