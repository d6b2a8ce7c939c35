#include "summary/FillUpSummary.h"
#include "summary/TripSpreadsheet.h"
#include "summary/TripSummary.h"
#include "base/FailureText.h"

#include "Bounded.h"
#include "FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <sys/stat.h>

using namespace tankeli;

namespace {

// A trip as a name and its five values; a name alone is a record that cannot be read.
using Trips = QList<QStringList>;
using FillUps = QList<FillUp>;

// Writes the trips into a fresh folder; a record that cannot be read has two lines only.
// A name the program would not save under (a tab in it) is written as another program would.
RecordStore storeOf(const QString &folder, const Trips &trips)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    RecordStore store(folder);
    for (const QStringList &t : trips)
        if (t.size() == 1 ? !writeBytes(folder + '/' + t[0], "1\r\n2\r\n")
                          : RecordStore::nameProblem(t[0]) ? !writeBytes(folder + '/' + t[0], t.mid(1).join("\r\n").toUtf8() + "\r\n")
                                                           : !store.write(t[0], {t[1], t[2], t[3], t[4], t[5]}))
            qWarning("could not write %s", qPrintable(t[0]));
    return store;
}

const QByteArray header = "\xEF\xBB\xBFTiedosto;Päivämäärä;Bensanhinta (€/l);Bensankulutus (l/100 km);"
                          "Matka (km);Yhteishinta (€);Kokonaiskulutus (l)\r\n";
} // namespace

class TestSummary : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Sums, averages and the period table as the summary window shows them. A record named
    // by date counts in its month and year; every other name on the row "Muut". Averages
    // are rounded for reading; a figure beyond the double range reads "liian suuri".
    void summary_data()
    {
        QTest::addColumn<Trips>("trips");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("litres");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("consumption");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("perKilometre");
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QStringList>("periods"); // period; trips; km; l; €; l/100 km
        QTest::addColumn<int>("workedOut");        // trips counting litres × 100 / consumption
        QTest::addColumn<QString>("calculator");   // what "Käytä laskimessa" puts in, or "none"
        QTest::addColumn<QStringList>("leftOut");  // name: reason
        QTest::newRow("two trips, one on a leap day")
            << Trips{{"2024_03_07.sav", "1,3", "7,5", "120", "11,7", "9"}, {"2024_02_29.sav", "1,5", "6", "100", "9", "6"}}
            << "2" << "220 km" << "15 l" << "20,70 €" << "6,82 l/100 km" << "1,38 €/l" << "0,094 €/km"
            << "6 l/100 km (2024_02_29.sav)" << "7,5 l/100 km (2024_03_07.sav)"
            << QStringList{"Helmikuu 2024; 1; 100; 6; 9,00; 6,00", "Maaliskuu 2024; 1; 120; 9; 11,70; 7,50",
                           "Vuosi 2024; 2; 220; 15; 20,70; 6,82"} << 0 << "6,82" << QStringList{};
        QTest::newRow("averages divide totals, not each trip's ratio")
            << Trips{{"2023_12_31.sav", "1,3", "10", "10", "1,3", "1"}, {"2024_01_15.sav", "1,3", "5", "90", "5,85", "4,5"}}
            << "2" << "100 km" << "5,5 l" << "7,15 €" << "5,50 l/100 km" << "1,30 €/l" << "0,071 €/km"
            << "5 l/100 km (2024_01_15.sav)" << "10 l/100 km (2023_12_31.sav)"
            << QStringList{"Joulukuu 2023; 1; 10; 1; 1,30; 10,00", "Vuosi 2023; 1; 10; 1; 1,30; 10,00",
                           "Tammikuu 2024; 1; 90; 4,5; 5,85; 5,00", "Vuosi 2024; 1; 90; 4,5; 5,85; 5,00"} << 0 << "5,5" << QStringList{};
        QTest::newRow("saved without litres: counted, no litre averages") << Trips{{"e.sav", "1,3", " ", "100", "8", ""}}
            << "1" << "100 km" << "0 l" << "8,00 €" << "–" << "–" << "0,080 €/km" << "–" << "–"
            << QStringList{"Muut; 1; 100; 0; 8,00; –"} << 0 << "none" << QStringList{};
        QTest::newRow("zero distance, no consumption: in the totals, not in the km averages")
            << Trips{{"z.sav", "1,3", "", "0", "3", "2"}, {"w.sav", "1,4", "5", "100", "7", "5"}}
            << "2" << "100 km" << "7 l" << "10,00 €" << "5,00 l/100 km" << "1,43 €/l" << "0,070 €/km"
            << "5 l/100 km (w.sav)" << "5 l/100 km (w.sav)" << QStringList{"Muut; 2; 100; 7; 10,00; 5,00"} << 0 << "5" << QStringList{};
        QTest::newRow("consumption 0 is no extreme; the first of equals")
            << Trips{{"r1.sav", "1,3", "0", "100", "8", "6"}, {"r2.sav", "1,3", "6", "100", "8", "6"}, {"r3.sav", "1,3", "6", "50", "4", "3"}}
            << "3" << "250 km" << "15 l" << "20,00 €" << "6,00 l/100 km" << "1,33 €/l" << "0,080 €/km"
            << "6 l/100 km (r2.sav)" << "6 l/100 km (r2.sav)" << QStringList{"Muut; 3; 250; 15; 20,00; 6,00"} << 0 << "6" << QStringList{};
        QTest::newRow("unreadable and not numbers are left out")
            << Trips{{"2024_01_01.sav"}, {"g.sav", "1,3", "6", "100", "8", "6"}, {"p.sav", "1,3", "6.5", "100", "8", "6"},
                     {"q.sav", "abc", "6", "100", "8", "6"}}
            << "1" << "100 km" << "6 l" << "8,00 €" << "6,00 l/100 km" << "1,33 €/l" << "0,080 €/km"
            << "6 l/100 km (g.sav)" << "6 l/100 km (g.sav)" << QStringList{"Muut; 1; 100; 6; 8,00; 6,00"} << 0 << "6"
            << QStringList{"2024_01_01.sav: Tiedostosta 2024_01_01.sav puuttuu rivi 3.",
                           "p.sav: Tiedoston p.sav rivillä 2 (Bensankulutus) on \"6.5\", joka ei ole luku.",
                           "q.sav: Tiedoston q.sav rivillä 1 (Bensanhinta) on \"abc\", joka ei ole luku."};
        Trips notDates;
        for (const char *name : {"2024_3_07.sav", "2024_02_30.sav", "2024_03_07.SAV", "2024_03_07", "02024_03_07.sav",
                                 "+2024_03_07.sav", "2024_03_07.txt", "2024_03_07_1.sav", "0_01_01.sav"})
            notDates << QStringList{name, "1,3", "6", "10", "0,78", "0,6"};
        QTest::newRow("only the default form is a date") << notDates << "9" << "90 km" << "5,4 l" << "7,02 €" << "6,00 l/100 km"
            << "1,30 €/l" << "0,078 €/km" << "6 l/100 km (+2024_03_07.sav)" << "6 l/100 km (+2024_03_07.sav)"
            << QStringList{"Muut; 9; 90; 5,4; 7,02; 6,00"} << 0 << "6" << QStringList{};
        QTest::newRow("no trips") << Trips{} << "0" << "0 km" << "0 l" << "0,00 €" << "–" << "–" << "–" << "–" << "–"
            << QStringList{} << 0 << "none" << QStringList{};
        // A trip calculated with a margin of 4 %: 6,4 l/100 km over a speedometer's 100 km are
        // 6,656 l over 104 km, at 1,5 €/l 9,984 €. The km and averages count the 104.
        // 51,27 l over 412 km are 12,44417 l/100 km as saved; 5127 / 12,44417 is 412,00016.
        QTest::newRow("rounded consumption: the saved distance stands")
            << Trips{{"k.sav", "1,8", "12,44417", "412", "92,286", "51,27"}, {"c.sav", "1,5", "6,4", "100", "9,984", "6,656"}}
            << "2" << "516 km" << "57,926 l" << "102,27 €" << "11,23 l/100 km" << "1,77 €/l" << "0,198 €/km"
            << "6,4 l/100 km (c.sav)" << "12,44417 l/100 km (k.sav)" << QStringList{"Muut; 2; 516; 57,926; 102,27; 11,23"} << 1
            << "11,23" << QStringList{};
        QTest::newRow("saved without a distance: from litres and consumption")
            << Trips{{"d.sav", "1,5", "5", "", "6", "4"}}
            << "1" << "80 km" << "4 l" << "6,00 €" << "5,00 l/100 km" << "1,50 €/l" << "0,075 €/km"
            << "5 l/100 km (d.sav)" << "5 l/100 km (d.sav)" << QStringList{"Muut; 1; 80; 4; 6,00; 5,00"} << 1 << "5" << QStringList{};
        QTest::newRow("euros to the cent, no group separators; beyond 1E+15 in the number form")
            << Trips{{"iso.sav", "1,3", "", "1E+300", "1234567,891", ""}, {"2024_01_01.sav", "1,3", "", "", "-1,5E+20", "2"}}
            << "2" << "1E+300 km" << "2 l" << "-1,5E+20 €" << "–" << "-7,5E+19 €/l" << "0,000 €/km" << "–" << "–"
            << QStringList{"Tammikuu 2024; 1; 0; 2; -1,5E+20; –", "Vuosi 2024; 1; 0; 2; -1,5E+20; –", "Muut; 1; 1E+300; 0; 1234567,89; –"}
            << 0 << "none" << QStringList{};
        QTest::newRow("a fraction of a cent below zero reads 0,00") << Trips{{"a.sav", "1,3", "", "", "-0,001", "1"}}
            << "1" << "0 km" << "1 l" << "0,00 €" << "–" << "0,00 €/l" << "–" << "–" << "–"
            << QStringList{"Muut; 1; 0; 1; 0,00; –"} << 0 << "none" << QStringList{};
    }
    void summary()
    {
        QFETCH(Trips, trips);
        const TripSummary summary = summarizeStore(storeOf(dir.filePath("stat"), trips));
        const QList<SummaryLine> lines = summaryLines(summary);
        const char *columns[] = {"count", "distance", "litres", "cost", "consumption", "price", "perKilometre", "lowest", "highest"};
        for (int i = 0; i < 9; ++i)
            QTEST(lines[i].shown(), columns[i]);
        QStringList periods;
        for (const SummaryPeriod &period : summary.periods)
            periods << periodCells(period).join("; ");
        QTEST(periods, "periods");
        QTEST(summary.distancesWorkedOut, "workedOut");
        QTEST(consumptionForCalculator(summary).value_or("none"), "calculator");
        QStringList leftOut;
        for (const LeftOutTrip &trip : summary.leftOut)
            leftOut << trip.name + ": " + trip.reason;
        QTEST(leftOut, "leftOut");
    }

    // What the window says under its tables, and what Ctrl+C puts on the clipboard for a
    // spreadsheet: captions, units in brackets, numbers as shown, tab-separated.
    void notesAndCopy_data()
    {
        QTest::addColumn<Trips>("trips");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("copied");
        const QString periodHeader = "\nKausi\tMatkoja\tMatka (km)\tPolttoaine (l)\tKustannukset (€)\tl/100 km\n";
        QTest::newRow("a calibrated trip, one left out, a tab in a name")
            << Trips{{"a\tb.sav", "1,5", "6,4", "100", "9,984", "6,656"}, {"x.sav", "1", "x", "1", "1", "1"}}
            << QStringList{"Kilometreissä, keskiarvoissa ja kilometrihinnassa 1 matkan pituus on laskettu litroista ja "
                           "kulutuksesta (litrat × 100 / kulutus), koska tallennettu matka puuttuu tai ei vastaa niitä. "
                           "Kalibrointi käytössä laskettu matka tallentuu nopeusmittarin lukemana.",
                           "1 matka jätettiin laskuista pois:\nx.sav: Tiedoston x.sav rivillä 2 (Bensankulutus) on \"x\", joka ei ole luku."}
            << "Matkoja\t1\nMatkat yhteensä (km)\t104\nPolttoainetta yhteensä (l)\t6,656\nKustannukset yhteensä (€)\t9,98\n"
               "Keskikulutus (l/100 km)\t6,40\nKeskihinta (€/l)\t1,50\nKilometrihinta (€/km)\t0,096\n"
               "Pienin kulutus (l/100 km)\t6,4\ta b.sav\nSuurin kulutus (l/100 km)\t6,4\ta b.sav\n"
               + periodHeader + "Muut\t1\t104\t6,656\t9,98\t6,40\n";
    }
    void notesAndCopy()
    {
        QFETCH(Trips, trips);
        const TripSummary summary = summarizeStore(storeOf(dir.filePath("stat"), trips));
        QTEST(summaryNotes(summary), "notes");
        QTEST(summaryText(summary), "copied");
    }

    // The fill-up log's part of the summary, each figure worked by hand: kilometres from
    // the first fill-up to the last, the consumption and the price per kilometre over
    // whole chains only, the month of each fill-up's date.
    void fillUpSummary_data()
    {
        QTest::addColumn<FillUps>("log");
        QTest::addColumn<Calibration>("calibration");
        QTest::addColumn<QStringList>("lines");   // caption: as shown
        QTest::addColumn<QStringList>("periods"); // period; fill-ups; km; l; €; l/100 km
        QTest::addColumn<QStringList>("notes");
        const auto lines = [](const QString &count, const QString &km, const QString &amount, const QString &cost,
                              const QString &average, const QString &price, const QString &perKm) {
            return QStringList{"Tankkauksia: " + count, "Ajettu yhteensä: " + km, "Polttoainetta yhteensä: " + amount,
                               "Kustannukset yhteensä: " + cost, "Mitattu keskikulutus: " + average,
                               "Keskihinta: " + price, "Kilometrihinta: " + perKm};
        };
        // A partial counts toward the full fill-up after it, in that one's month.
        QTest::newRow("a partial in January, two chains closed in February")
            << FillUps{{{2024, 1, 5}, 10000, 40, 1.8, 72, true, false, {}}, {{2024, 1, 20}, 10300, 10, 1.9, 19, false, false, {}},
                       {{2024, 2, 3}, 10800, 30, 1.8, 54, true, false, {}}, {{2024, 2, 20}, 11300, 35, 2, 70, true, false, {}}}
            << Calibration{}
            << lines("4", "1300 km", "115 l", "215,00 €", "5,77 l/100 km", "1,87 €/l", "0,110 €/km")
            << QStringList{"Tammikuu 2024; 2; 300; 50; 91,00; –", "Helmikuu 2024; 2; 1000; 65; 124,00; 5,77",
                           "Vuosi 2024; 4; 1300; 115; 215,00; 5,77"}
            << QStringList{};
        const FillUps missed{{{2024, 3, 1}, 10000, 40, 2, 80, true, false, {}}, {{2024, 3, 10}, 10500, 30, 2, 60, true, true, {}},
                             {{2024, 3, 20}, 11000, 25, 2, 50, true, false, {}}};
        QTest::newRow("a missed fill-up: its kilometres count, its chain does not")
            << missed << Calibration{} << lines("3", "1000 km", "95 l", "190,00 €", "5,00 l/100 km", "2,00 €/l", "0,100 €/km")
            << QStringList{"Maaliskuu 2024; 3; 1000; 95; 190,00; 5,00", "Vuosi 2024; 3; 1000; 95; 190,00; 5,00"}
            << QStringList{};
        QTest::newRow("calibration +10 %: 1100 true km")
            << missed << Calibration{true, 10} << lines("3", "1100 km", "95 l", "190,00 €", "4,55 l/100 km", "2,00 €/l", "0,091 €/km")
            << QStringList{"Maaliskuu 2024; 3; 1100; 95; 190,00; 4,55", "Vuosi 2024; 3; 1100; 95; 190,00; 4,55"}
            << QStringList{"Tankkausten kilometrit on korjattu nopeusmittarin virheellä, kuten laskin ne korjaa."};
        QTest::newRow("one fill-up: nothing measured yet")
            << FillUps{{{2023, 12, 31}, 5000, 40, 2, 80, true, false, {}}} << Calibration{}
            << lines("1", "0 km", "40 l", "80,00 €", "–", "2,00 €/l", "–")
            << QStringList{"Joulukuu 2023; 1; 0; 40; 80,00; –", "Vuosi 2023; 1; 0; 40; 80,00; –"} << QStringList{};
    }
    void fillUpSummary()
    {
        QFETCH(FillUps, log);
        QFETCH(Calibration, calibration);
        LogReading reading;
        reading.fillUps = log;
        const FillUpSummary summary = summarizeFillUps(reading, Energy::Petrol, calibration);
        QVERIFY(summary.shown());
        QStringList lines;
        for (const SummaryLine &line : fillUpSummaryLines(summary))
            lines << line.caption + ": " + line.shown();
        QTEST(lines, "lines");
        QStringList periods;
        for (const SummaryPeriod &period : summary.periods)
            periods << periodCells(period).join("; ");
        QTEST(periods, "periods");
        QTEST(fillUpSummaryNotes(summary), "notes");
    }

    // An electric car's part in kWh, copied after the trips' part; an empty log adds
    // nothing; a log that cannot be read shows why.
    void fillUpPartCopied_data()
    {
        QTest::addColumn<FillUps>("log");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("copied");
        QTest::newRow("two charges")
            << FillUps{{{2025, 6, 1}, 100, 40, 0.25, 10, true, false, {}}, {{2025, 6, 9}, 300, 36, 0.25, 9, true, false, {}}}
            << "" << true << QStringList{}
            << "Tankkaukset\nTankkauksia\t2\nAjettu yhteensä (km)\t200\nSähköä yhteensä (kWh)\t76\n"
               "Kustannukset yhteensä (€)\t19,00\nMitattu keskikulutus (kWh/100 km)\t18,00\nKeskihinta (€/kWh)\t0,25\n"
               "Kilometrihinta (€/km)\t0,045\n\nKausi\tTankkauksia\tAjettu (km)\tSähkö (kWh)\tKustannukset (€)\tkWh/100 km\n"
               "Kesäkuu 2025\t2\t200\t76\t19,00\t18,00\nVuosi 2025\t2\t200\t76\t19,00\t18,00\n";
        QTest::newRow("an unreadable log tells why")
            << FillUps{} << "Tiedostoa T.csv ei luettu." << true << QStringList{"Tiedostoa T.csv ei luettu."} << "";
    }
    void fillUpPartCopied()
    {
        QFETCH(FillUps, log);
        QFETCH(QString, problem);
        QFETCH(QString, copied);
        LogReading reading;
        reading.fillUps = log;
        reading.problem = problem;
        const FillUpSummary summary = summarizeFillUps(reading, Energy::Electricity, {});
        QTEST(summary.shown(), "shown");
        QTEST(fillUpSummaryNotes(summary), "notes");
        if (!copied.isEmpty())
            QCOMPARE(tankeli::fillUpSummaryText(summary), copied);
    }

    // The file as Calc opens it, every byte; imported into an empty folder, each record
    // comes back byte for byte, under the name a typed name gets.
    void exportThenImport_data()
    {
        QTest::addColumn<Trips>("trips");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("leftOut");
        QTest::addColumn<QString>("failure");
        QTest::newRow("dates, quoting, an unreadable record left out")
            << Trips{{"2024_03_07.sav", "1,3", "7,5", "120", "11,7", "9"}, {"lyhyt.sav"}, {"matka.txt", "1", "", "3", "4", "5"},
                     {"puoli;\"lainattu\".sav", "x;y", "sanoi \"hei\"", "", " 7 ", "€ä"}}
            << "t.csv"
            << header + "2024_03_07.sav;2024-03-07;1,3;7,5;120;11,7;9\r\nmatka.txt;;1;;3;4;5\r\n"
                        "\"puoli;\"\"lainattu\"\".sav\";;\"x;y\";\"sanoi \"\"hei\"\"\";; 7 ;€ä\r\n"
            << "lyhyt.sav" << "";
        QTest::newRow("formulas written as text, numbers as numbers")
            << Trips{{"=1+1.sav", "=HYPERLINK(\"x\")", "-1,85", "'lainaus", "@SUM", "+"}} << "t.csv"
            << header + "'=1+1.sav;;\"'=HYPERLINK(\"\"x\"\")\";-1,85;''lainaus;'@SUM;'+\r\n" << "" << "";
        QTest::newRow("non-ASCII name, empty values") << Trips{{"Kesä € ÅÖ.sav", "", "", "", "", ""}} << "t.csv"
            << header + "Kesä € ÅÖ.sav;;;;;;\r\n" << "" << "";
        QTest::newRow("folder missing") << Trips{} << "ei_ole/t.csv" << QByteArray() << ""
            << "Taulukkoa %1 ei voitu tallentaa: Tiedostoa tai kansiota ei ole.";
    }
    void exportThenImport()
    {
        QFETCH(Trips, trips);
        QFETCH(QString, target);
        QFETCH(QString, failure);
        const RecordStore store = storeOf(dir.filePath("stat"), trips);
        QFile::remove(dir.filePath("t.csv"));
        const Outcome<SpreadsheetExport> exported = exportSpreadsheet(store, dir.filePath(target));
        QCOMPARE(exported.error(), failure.isEmpty() ? failure : failure.arg(shownPath(dir.filePath(target))));
        QTEST(readBytes(dir.filePath(target)), "bytes");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), exported ? QStringList{"t.csv"} : QStringList{});
        if (!exported)
            return;
        QTEST(exported->leftOut.value(0).name, "leftOut");
        RecordStore back = storeOf(dir.filePath("b"), {});
        const Outcome<ImportPlan> plan = planImport(back, dir.filePath(target));
        QVERIFY(plan && plan->refused.isEmpty());
        QCOMPARE(applyImport(back, *plan, false).written, exported->written);
        for (const QString &name : QDir(dir.filePath("stat")).entryList(QDir::Files))
            if (name != exported->leftOut.value(0).name)
                QCOMPARE(readBytes(dir.filePath("b/" + RecordStore::finalName(name))), readBytes(dir.filePath("stat/" + name)));
    }

    // An export replaces its one file and nothing else where it writes, except the
    // temporary file a killed export of that same file left there.
    void exportTouchesNothingElse_data()
    {
        QTest::addColumn<QString>("beside"); // a file in the export's folder before it
        QTest::addColumn<bool>("kept");
        for (const char *name : {"README", "budget", "aB3dE9", ".aB3dE9", ".u.csv.tankeli-aB3dE9", ".t.csv.tankeli-aB3dE",
                                 "t.csv.tankeli-aB3dE9"})
            QTest::newRow(name) << name << true;
        QTest::newRow("a killed export's temporary") << ".t.csv.tankeli-aB3dE9" << false;
    }
    void exportTouchesNothingElse()
    {
        QFETCH(QString, beside);
        const QString folder = dir.filePath("vienti");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QVERIFY(writeBytes(folder + '/' + beside, "oma " + beside.toUtf8()));
        QVERIFY(exportSpreadsheet(storeOf(dir.filePath("stat"), {{"a.sav", "1", "2", "3", "4", "5"}}), folder + "/t.csv"));
        QFETCH(bool, kept);
        QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QStringList expected{"t.csv"};
        if (kept)
            expected << beside;
        expected.sort();
        QCOMPARE(left, expected);
        if (kept)
            QCOMPARE(readBytes(folder + '/' + beside), "oma " + beside.toUtf8());
    }

    // An export over an earlier file replaces it whole; over a link it writes the file the
    // link points to and leaves the link a link.
    void exportReplaces_data()
    {
        QTest::addColumn<QString>("target");  // what t.csv is before the export
        QTest::addColumn<QString>("written"); // where the new content is then
        QTest::newRow("an earlier export") << "file" << "t.csv";
        QTest::newRow("a link to a file elsewhere") << "link" << "muualla/oma.csv";
    }
    void exportReplaces()
    {
        QFETCH(QString, target);
        QFETCH(QString, written);
        const QString folder = dir.filePath("yli");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder + "/muualla");
        QVERIFY(writeBytes(folder + "/muualla/oma.csv", QByteArray(100000, 'x')));
        QVERIFY(target == "file" ? writeBytes(folder + "/t.csv", QByteArray(100000, 'x'))
                                 : QFile::link(folder + "/muualla/oma.csv", folder + "/t.csv"));
        QVERIFY(exportSpreadsheet(storeOf(dir.filePath("stat"), {{"a.sav", "1", "2", "3", "4", "5"}}), folder + "/t.csv"));
        QCOMPARE(readBytes(folder + '/' + written), header + "a.sav;;1;2;3;4;5\r\n");
        QCOMPARE(QFileInfo(folder + "/t.csv").isSymLink(), target == "link");
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"t.csv"});
        QCOMPARE(QDir(folder + "/muualla").entryList(QDir::Files | QDir::Hidden), QStringList{"oma.csv"});
    }

    // A file from Calc into a folder that holds vanha.sav: the plan, then the answer.
    void import_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QStringList>("planned");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("refused"); // row: reason, as Calc numbers the rows
        QTest::addColumn<QStringList>("folder");
        QTest::addColumn<QString>("oldPrice"); // vanha.sav's first line afterwards
        QTest::newRow("bad rows numbered as Calc numbers them")
            << header + "rivit.sav;;\"1\r\n2\";2;3;4;5\r\nlyhyt.sav;;1;2\r\n\r\na/b.sav;;1;2;3;4;5\r\npitkä.sav;;" + QByteArray(4097, '7')
                   + ";2;3;4;5\r\n\"hyvä.sav\";;1;2;3;4;5\r\nhyvä;;6;7;8;9;10\r\n;;1;2;3;4;5\r\n\"kesken;;1;2;3;4;5\r\n"
            << false << QStringList{"hyvä.sav"} << QStringList{}
            << QStringList{"2: Arvossa \"1 2\" on rivinvaihto, jota ei voi tallentaa.", "3: Sarakkeita on 4, kun niitä pitää olla 7.",
                           "5: Tiedostonimessä \"a/b.sav\" on merkki, jota ei voi käyttää. Nimessä ei saa olla merkkejä / \\ * ?",
                           QString("6: Arvo \"%1…%2\" on liian pitkä tallennettavaksi: siinä on 4097 merkkiä, ja yhteen arvoon "
                                   "mahtuu enintään 4096.").arg(QString(30, '7'), QString(29, '7')),
                           "8: Nimi hyvä.sav on jo rivillä 7.", "9: Tiedostonimi puuttuu.",
                           "10: Lainausmerkillä alkava kenttä ei pääty, joten tiedoston loppua ei luettu."}
            << QStringList{"hyvä.sav", "vanha.sav"} << "1";
        // A quoted last field without its line end; a field that goes on after its closing quote.
        QTest::newRow("a quoted last field and no line end, Yes") << header + "vanha;;\"9\";2;3;4;\"5\"" << true
            << QStringList{"vanha.sav"} << QStringList{"vanha.sav"} << QStringList{} << QStringList{"vanha.sav"} << "9";
        QTest::newRow("text after a closing quote goes with the field, Yes") << header + "\"van\"ha;;\"9\"1;2;3;4;5\r\n" << true
            << QStringList{"vanha.sav"} << QStringList{"vanha.sav"} << QStringList{} << QStringList{"vanha.sav"} << "91";
        // Names the list would hide, and values no record can hold, each refused with its row.
        const QString hidden = QStringLiteral("Tiedostonimi \"%1\" alkaa pisteellä, eikä lista näytä pisteellä alkavia nimiä. "
                                              "Anna nimi, joka alkaa muulla merkillä.");
        QTest::newRow("hidden names and control characters refused")
            << header + ".piilo;;1;2;3;4;5\r\n.;;1;2;3;4;5\r\n..;;1;2;3;4;5\r\nnul;;1" + QByteArray(1, '\0')
                   + ";2;3;4;5\r\nsarkain;;1;2\t;3;4;5\r\nhyvä;;1;2;3;4;5\r\n"
            << false << QStringList{"hyvä.sav"} << QStringList{}
            << QStringList{"2: " + hidden.arg(".piilo.sav"), "3: " + hidden.arg("..sav"), "4: " + hidden.arg("...sav"),
                           QStringLiteral("5: Arvossa \"1\uFFFD\" on ohjausmerkki U+0000, jota ei voi tallentaa."),
                           QStringLiteral("6: Arvossa \"2\uFFFD\" on ohjausmerkki U+0009, jota ei voi tallentaa.")}
            << QStringList{"hyvä.sav", "vanha.sav"} << "1";
    }
    void import()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, replace);
        RecordStore store = storeOf(dir.filePath("stat"), {{"vanha.sav", "1", "1", "1", "1", "1"}});
        QVERIFY(writeBytes(dir.filePath("t.csv"), bytes));
        const Outcome<ImportPlan> plan = planImport(store, dir.filePath("t.csv"));
        QVERIFY2(plan, qPrintable(plan.error()));
        QStringList planned;
        for (const ImportRecord &record : plan->records)
            planned << record.entry.name;
        QTEST(planned, "planned");
        QTEST(plan->existingNames(), "existing");
        QStringList refused;
        for (const CsvProblem &problem : plan->refused)
            refused << QString::number(problem.row) + ": " + problem.reason;
        QTEST(refused, "refused");
        const ImportResult result = applyImport(store, *plan, replace);
        QVERIFY(result.failed.isEmpty() && result.written + result.kept == planned.size());
        QTEST(QDir(dir.filePath("stat")).entryList(QDir::Files), "folder");
        QTEST(store.read("vanha.sav")->at(RecPrice), "oldPrice");
    }

    // A file of more trips than a list can sensibly hold is refused before anything is
    // written; one of exactly so many is planned whole.
    void importRowLimit_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("planned");
        QTest::newRow("100 000 trips") << 100000 << "" << 100000;
        QTest::newRow("100 001 trips") << 100001 << QStringLiteral("Taulukkoa %1 ei tuotu: siinä on 100\u00a0001 matkan riviä, ja "
                                                                   "kerralla voi tuoda enintään 100\u00a0000 matkaa. Jaa taulukko osiin.") << 0;
    }
    void importRowLimit()
    {
        QFETCH(int, rows);
        QFETCH(QString, message);
        QByteArray bytes = header;
        for (int i = 0; i < rows; ++i)
            bytes += QByteArray::number(i) + ";;1;2;3;4;5\r\n";
        const QString path = dir.filePath("iso.csv");
        QVERIFY(writeBytes(path, bytes + "\r\n\r\n")); // empty lines are no trips
        const RecordStore store = storeOf(dir.filePath("stat"), {});
        const Outcome<ImportPlan> plan = planImport(store, path);
        QCOMPARE(plan.error(), message.isEmpty() ? message : message.arg(shownPath(path)));
        QTEST(plan ? int(plan->records.size()) : 0, "planned");
        QVERIFY(QDir(dir.filePath("stat")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    // An import stopped between two records (Peruuta, a request to end the program)
    // keeps what it wrote, each record whole, and counts what it did not reach.
    void importStops_data()
    {
        QTest::addColumn<int>("stopAt");        // how many records are done when the stop comes
        QTest::addColumn<QString>("asked");     // the progress given: done/total, in order
        QTest::addColumn<QStringList>("folder");
        QTest::addColumn<int>("notReached");
        QTest::newRow("before the last") << 3 << "0/4 1/4 2/4 3/4" << QStringList{"a.sav", "b.sav", "c.sav"} << 1;
        QTest::newRow("never") << -1 << "0/4 1/4 2/4 3/4" << QStringList{"a.sav", "b.sav", "c.sav", "d.sav"} << 0;
    }
    void importStops()
    {
        QFETCH(int, stopAt);
        RecordStore store = storeOf(dir.filePath("stat"), {});
        const Outcome<ImportPlan> plan = planImport(store, "t.csv", header + "a;;1;2;3;4;5\r\nb;;1;2;3;4;5\r\nc;;1;2;3;4;5\r\nd;;1;2;3;4;5\r\n");
        QStringList asked;
        const ImportResult result = applyImport(store, *plan, false, [&](qsizetype done, qsizetype total) {
            asked << QStringLiteral("%1/%2").arg(done).arg(total);
            return done != stopAt;
        });
        QTEST(asked.join(' '), "asked");
        QTEST(QDir(dir.filePath("stat")).entryList(QDir::Files), "folder");
        QTEST(result.notReached, "notReached");
        QCOMPARE(result.written, 4 - result.notReached);
        for (const QString &name : QDir(dir.filePath("stat")).entryList(QDir::Files))
            QCOMPARE(readBytes(dir.filePath("stat/" + name)), QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n"));
        QVERIFY(QDir(dir.filePath("stat/.tallennus")).isEmpty()); // no half-written record
    }

    // Files an import refuses whole, each named in the message; none is waited on.
    // A vehicle's spreadsheet and summary are told in its energy's units; a spreadsheet
    // goes back only into a vehicle of the same energy.
    void energies_data()
    {
        QTest::addColumn<Energy>("exported");
        QTest::addColumn<Energy>("importedInto");
        QTest::addColumn<QString>("priceColumn");
        QTest::addColumn<QString>("consumptionColumn");
        QTest::addColumn<QString>("amountColumn");
        QTest::addColumn<QString>("averageUnit"); // the summary's average consumption
        QTest::addColumn<QString>("refused");
        const QString otherVehicle = QStringLiteral("Taulukko t.csv on viety ajoneuvosta, jonka käyttövoima on %1, mutta "
                                                    "valitun ajoneuvon käyttövoima on %2. Valitse Ajoneuvo-valikosta oikea "
                                                    "ajoneuvo ja tuo taulukko uudelleen.");
        QTest::newRow("electricity in kWh") << Energy::Electricity << Energy::Electricity << "Sähkön hinta (€/kWh)"
            << "Sähkönkulutus (kWh/100 km)" << "Kokonaiskulutus (kWh)" << "kWh/100 km" << "";
        QTest::newRow("an electric car's trips into a petrol car") << Energy::Electricity << Energy::Petrol
            << "Sähkön hinta (€/kWh)" << "Sähkönkulutus (kWh/100 km)" << "Kokonaiskulutus (kWh)" << "kWh/100 km"
            << otherVehicle.arg("Sähkö", "Bensiini");
    }
    void energies()
    {
        QFETCH(Energy, exported);
        QFETCH(Energy, importedInto);
        QTemporaryDir dir;
        const RecordStore store = storeOf(dir.filePath("stat"), {{"a.sav", "0,2", "18", "100", "3,6", "18"}});
        QVERIFY(exportSpreadsheet(store, dir.filePath("t.csv"), {}, exported));
        const CsvRows rows = parseSpreadsheet(readBytes(dir.filePath("t.csv")));
        QTEST(rows.rows.value(0).fields.value(2), "priceColumn");
        QTEST(rows.rows.value(0).fields.value(3), "consumptionColumn");
        QTEST(rows.rows.value(0).fields.value(6), "amountColumn");
        QTEST(summaryLines(summarizeStore(store, exported)).value(4).unit, "averageUnit");
        const Outcome<ImportPlan> plan = planImport(storeOf(dir.filePath("toinen"), {}), dir.filePath("t.csv"), importedInto);
        QTEST(plan ? QString() : QString(plan.error()).replace(dir.path() + QLatin1Char('/'), QString()), "refused");
    }

    void importRefusesFile_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "" << "Tiedostoa %1 ei voitu avata: Tiedostoa tai kansiota ei ole.";
        QTest::newRow("FIFO") << "fifo" << "Tiedostoa %1 ei voitu avata: Se ei ole tavallinen tiedosto.";
        QTest::newRow("a sparse file of 1 GiB") << "sparse"
            << "Tiedostoa %1 ei voitu tuoda: se on suurempi kuin 8 Mt, eikä niin suurta taulukkoa tuoda.";
        const QString notOurs = "Tiedosto %1 ei ole matkojen taulukko: sen ensimmäisellä rivillä pitää olla sarakkeet Tiedosto; "
                                "Päivämäärä; Bensanhinta (€/l); Bensankulutus (l/100 km); Matka (km); Yhteishinta (€); Kokonaiskulutus (l).";
        QTest::newRow("commas for semicolons") << "commas" << notOurs;
    }
    void importRefusesFile()
    {
        QFETCH(QString, made);
        QFETCH(QString, message);
        const QString path = dir.filePath("tuo.csv");
        QFile::remove(path);
        if (made == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (made == "sparse")
            QVERIFY(writeBytes(path, header) && QFile::resize(path, qint64(1) << 30));
        else if (!made.isEmpty())
            QVERIFY(writeBytes(path, QByteArray(header).replace(';', ',')));
        const auto refused = finishedWithin([this, &path] { return planImport(RecordStore(dir.filePath("stat")), path).error(); },
                                            QFile::encodeName(path));
        QVERIFY2(refused, "still reading the file");
        QCOMPARE(*refused, message.arg(shownPath(path)));
    }
};

QTEST_APPLESS_MAIN(TestSummary)
#include "tst_summary.moc"
