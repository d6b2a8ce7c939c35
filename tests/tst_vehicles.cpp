#include "vehicles/Garage.h"
#include "vehicles/VehicleComparison.h"
#include "base/FailureText.h"
#include "base/Trash.h"

#include "FileBytes.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace tankeli;

namespace {
const QByteArray firstSettings("1,45\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
const Settings startingSettings{QStringLiteral("0,25"), QStringLiteral("0"), QStringLiteral("0"), false, true};

// Every file under a folder with its bytes, as "path=bytes", for checking that nothing changed.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << QDir(folder).relativeFilePath(path) + '=' + QString::fromLatin1(readBytes(path).toHex());
    }
    files.sort();
    return files;
}
} // namespace

// The household's vehicles on disk: the first is the program's own files as they were, each
// other one a folder of its own, and nothing the user made is ever deleted.
class TestVehicles : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QString path(const QString &relative) const { return dir->filePath(relative); }
    ProgramFolders home() const { return ProgramFolders(dir->path()); }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QDir(dir->path()).mkpath("Data");
        QDir(dir->path()).mkpath("stat");
        writeBytes(path("Data/Arvot.txt"), firstSettings);
        writeBytes(path("stat/2026_12_07.sav"), "1,45\r\n6\r\n100\r\n8,7\r\n6\r\n");
        // The desktop's trash is in the data folder, which a user's session always has.
        QDir(dir->path()).mkpath("koti");
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("koti")));
    }

    // The names a vehicle may not have, each refused with why.
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("renaming"); // the vehicle renamed, -1 for a new one
        QTest::addColumn<QString>("problem");
        QTest::newRow("a name") << "Sähköauto" << -1 << "";
        QTest::newRow("empty") << "" << -1 << "Anna ajoneuvolle nimi.";
        QTest::newRow("blanks only") << "   " << -1 << "Anna ajoneuvolle nimi.";
        QTest::newRow("a dot first") << ".piilo" << -1 << "Ajoneuvon nimi ei voi alkaa pisteellä, koska pisteellä alkavat kansiot ovat piilossa.";
        QTest::newRow("a slash") << "Auto/2" << -1 << "Ajoneuvon nimessä ei voi olla merkkiä /.";
        QTest::newRow("a tab") << "Auto\t2" << -1 << "Ajoneuvon nimessä ei voi olla ohjausmerkkejä, kuten sarkainta tai rivinvaihtoa.";
        QTest::newRow("255 bytes") << QString(85, QChar(0x20AC)) << -1 << "";
        QTest::newRow("256 bytes") << QString(128, QChar(0xE4)) << -1
                                   << "Ajoneuvon nimi on liian pitkä: nimessä voi olla enintään 255 tavua (ä, ö ja å ovat kaksi tavua kukin), ja tässä on 256.";
        QTest::newRow("the first vehicle's, other case") << "OMA AUTO" << -1 << "Ajoneuvo nimeltä \"Oma auto\" on jo olemassa. Anna toinen nimi.";
        QTest::newRow("another vehicle's") << "pakettiauto" << -1 << "Ajoneuvo nimeltä \"Pakettiauto\" on jo olemassa. Anna toinen nimi.";
        QTest::newRow("its own, renamed to other case") << "PAKETTIAUTO" << 1 << "";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(int, renaming);
        Garage garage(home());
        garage.load();
        QVERIFY(garage.add({"Pakettiauto", Energy::Diesel, {}}, startingSettings));
        const auto problem = garage.nameProblem(name, renaming < 0 ? std::nullopt : std::optional<int>(renaming));
        QTEST(problem.value_or(QString()), "problem");
    }

    // A vehicle added, chosen, renamed, given another energy and removed: its files where
    // and as they should be, and the first vehicle's files unchanged byte for byte.
    void lifeOfAVehicle_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("vehicles"); // name/energy/last consumption, in menu order
        QTest::addColumn<QString>("chosen");       // after a fresh load
        QTest::addColumn<QStringList>("files");    // under Ajoneuvot/, with their text
        QTest::newRow("nothing added") << QStringList{} << QStringList{"Oma auto/Bensiini/"} << "Oma auto" << QStringList{};
        QTest::newRow("sorted by name after the first") << QStringList{"add Ö-auto Kaasu", "add bussi Diesel"}
            << QStringList{"Oma auto/Bensiini/", "bussi/Diesel/", "Ö-auto/Kaasu/"} << "Oma auto"
            << QStringList{"bussi/Data/Ajoneuvo.txt=bussi/Diesel//", "bussi/Data/Arvot.txt=0,25/0/0/False/True/",
                           "Ö-auto/Data/Ajoneuvo.txt=Ö-auto/Kaasu//", "Ö-auto/Data/Arvot.txt=0,25/0/0/False/True/"};
        QTest::newRow("chosen, remembered") << QStringList{"add Sähköauto Sähkö", "choose 1"}
            << QStringList{"Oma auto/Bensiini/", "Sähköauto/Sähkö/"} << "Sähköauto"
            << QStringList{"Sähköauto/Data/Ajoneuvo.txt=Sähköauto/Sähkö//", "Sähköauto/Data/Arvot.txt=0,25/0/0/False/True/"};
        QTest::newRow("the first renamed, its files stay") << QStringList{"edit 0 Farmari Diesel"}
            << QStringList{"Farmari/Diesel/"} << "Farmari" << QStringList{};
        QTest::newRow("consumption remembered") << QStringList{"add Sähköauto Sähkö", "consumption 1 16,5", "consumption 0 6,4"}
            << QStringList{"Oma auto/Bensiini/6,4", "Sähköauto/Sähkö/16,5"} << "Oma auto"
            << QStringList{"Sähköauto/Data/Ajoneuvo.txt=Sähköauto/Sähkö/16,5/", "Sähköauto/Data/Arvot.txt=0,25/0/0/False/True/"};
        QTest::newRow("removed into the trash") << QStringList{"add Sähköauto Sähkö", "trip 1", "choose 1", "remove 1"}
            << QStringList{"Oma auto/Bensiini/"} << "Oma auto" << QStringList{};
        QTest::newRow("the first is never removed") << QStringList{"remove 0"} << QStringList{"Oma auto/Bensiini/"} << "Oma auto" << QStringList{};
        QTest::newRow("a folder without Data is no vehicle") << QStringList{"folder Muuta"} << QStringList{"Oma auto/Bensiini/"} << "Oma auto"
            << QStringList{"Muuta/muistio.txt=oma/"};
        QTest::newRow("a name taken by a folder that is no vehicle") << QStringList{"folder Muuta", "add Muuta Diesel"}
            << QStringList{"Oma auto/Bensiini/"} << "Oma auto" << QStringList{"Muuta/muistio.txt=oma/"};
        QTest::newRow("a folder renamed by hand keeps its trips") << QStringList{"add Sähköauto Sähkö", "rename Sähköauto Leaf"}
            << QStringList{"Oma auto/Bensiini/", "Leaf/Sähkö/"} << "Oma auto"
            << QStringList{"Leaf/Data/Ajoneuvo.txt=Sähköauto/Sähkö//", "Leaf/Data/Arvot.txt=0,25/0/0/False/True/"};
    }
    void lifeOfAVehicle()
    {
        QFETCH(QStringList, steps);
        const QStringList firstFiles = filesUnder(path("Data")) + filesUnder(path("stat"));
        Garage garage(home());
        QCOMPARE(garage.load(), QStringList());
        for (const QString &step : steps) {
            const QStringList words = step.split(' ');
            const int index = words.value(1).toInt();
            if (words[0] == "add")
                (void)garage.add({words[1], *energyNamed(words[2]), {}}, startingSettings);
            else if (words[0] == "choose")
                QVERIFY(garage.choose(index));
            else if (words[0] == "edit")
                QVERIFY(garage.edit(index, words[2], *energyNamed(words[3])));
            else if (words[0] == "remove")
                QCOMPARE(bool(garage.remove(index)), index > 0);
            else if (words[0] == "consumption")
                QVERIFY(garage.rememberConsumption(index, words[2]));
            else if (words[0] == "trip")
                QVERIFY(writeBytes(garage.folders(index).recordFolder() + "/matka.sav", "1\r\n2\r\n3\r\n4\r\n5\r\n"));
            else if (words[0] == "folder")
                QVERIFY(QDir().mkpath(path("Ajoneuvot/" + words[1])) && writeBytes(path("Ajoneuvot/" + words[1] + "/muistio.txt"), "oma\r\n"));
            else if (words[0] == "rename")
                QVERIFY(QDir(path("Ajoneuvot")).rename(words[1], words[2]));
        }
        Garage again(home());
        QCOMPARE(again.load(), QStringList());
        QStringList vehicles;
        for (int i = 0; i < again.count(); ++i)
            vehicles << again.info(i).name + '/' + energyName(again.info(i).energy) + '/' + again.info(i).lastConsumption;
        QTEST(vehicles, "vehicles");
        QTEST(again.info(again.current()).name, "chosen");
        QStringList files;
        for (const QString &file : filesUnder(path("Ajoneuvot")))
            if (!file.contains("/.tallennus/"))
                files << file.section('=', 0, 0) + '=' + QString::fromUtf8(QByteArray::fromHex(file.section('=', 1).toLatin1())).replace("\r\n", "/");
        QTEST(files, "files");
        // The first vehicle's own files, but for its vehicle file and the choice, as they were.
        QStringList firstNow = filesUnder(path("Data")) + filesUnder(path("stat"));
        firstNow.removeIf([](const QString &f) { return f.startsWith("Ajoneuvo") || f.startsWith(".tallennus"); });
        QCOMPARE(firstNow, firstFiles);
        if (steps.contains("remove 1"))
            QCOMPARE(filesUnder(path("koti/Trash/files/Sähköauto")),
                     QStringList({"Data/Ajoneuvo.txt=" + QString::fromLatin1(QByteArray("Sähköauto\r\nSähkö\r\n\r\n").toHex()),
                                  "Data/Arvot.txt=" + QString::fromLatin1(QByteArray("0,25\r\n0\r\n0\r\nFalse\r\nTrue\r\n").toHex()),
                                  "stat/matka.sav=" + QString::fromLatin1(QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n").toHex())}));
        // A vehicle is never left half made.
        QCOMPARE(QDir(path("Ajoneuvot")).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).filter(".uusi"), QStringList());
    }

    // One trip with every vehicle, worked by hand: the petrol car's consumption is the
    // average of its trips (6 l and 12 l over 100 and 200 km: 6 l/100 km), its calibration
    // 100 -> 105 km/h (5 %): 6,3 l; the electric car's the one last calculated, 16,4 kWh.
    void comparison_data()
    {
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("typedPrice"); // the chosen petrol car's price in the main window
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("failure");
        const QString electric = "Sähköauto|Sähkö|16,40 kWh/100 km|0,25 €/kWh|4,10 €|123,00 €|1496,50 €";
        const QString van = "Pakettiauto|Diesel|–|1,7 €/l|–|–|–";
        QTest::newRow("cheapest first, the van has no consumption") << "100" << "1,9"
            << QStringList{electric, "Oma auto|Bensiini|6,00 l/100 km|1,9 €/l|11,97 €|359,10 €|4369,05 €", van} << "";
        QTest::newRow("a price typed but not saved") << "100" << "2"
            << QStringList{electric, "Oma auto|Bensiini|6,00 l/100 km|2 €/l|12,60 €|378,00 €|4599,00 €", van} << "";
        QTest::newRow("a distance of 0") << "0" << "1,9" << QStringList{} << comparisonNeedsDistance;
        QTest::newRow("a distance with a point") << "100.5" << "1,9" << QStringList{} << comparisonNeedsDistance;
    }
    void comparison()
    {
        QFETCH(QString, distance);
        QFETCH(QString, typedPrice);
        QVERIFY(writeBytes(path("Data/Arvot.txt"), "1,9\r\n100\r\n105\r\nTrue\r\nFalse\r\n"));
        QVERIFY(QFile::remove(path("stat/2026_12_07.sav")));
        QVERIFY(writeBytes(path("stat/a.sav"), "1,9\r\n6\r\n100\r\n11,4\r\n6\r\n"));
        QVERIFY(writeBytes(path("stat/b.sav"), "1,9\r\n6\r\n200\r\n22,8\r\n12\r\n"));
        Garage garage(home());
        garage.load();
        QVERIFY(garage.add({"Sähköauto", Energy::Electricity, "16,4"}, {"0,25", "0", "0", false, false}));
        QVERIFY(garage.add({"Pakettiauto", Energy::Diesel, {}}, {"1,7", "0", "0", false, false}));
        const Outcome<QList<ComparedVehicle>> compared = compareVehicles(garage, distance, {typedPrice, "100", "105", true, false});
        QTEST(compared.error(), "failure");
        QStringList rows;
        for (const ComparedVehicle &vehicle : compared ? *compared : QList<ComparedVehicle>())
            rows << comparisonCells(vehicle).join('|');
        QTEST(rows, "rows");
    }

    // What is removed goes into the desktop's trash; where no trash can be had it stays
    // where it was, and nothing lands in the working folder.
    void trash_data()
    {
        QTest::addColumn<QString>("dataHome"); // XDG_DATA_HOME, under the test's folder
        QTest::addColumn<QString>("trashed");  // where the folder then is, under the test's folder
        QTest::addColumn<QString>("problem");
        QTest::newRow("the user's trash") << "koti" << "koti/Trash/files/Auto" << "";
        QTest::newRow("a data folder not made yet") << "uusi/koti" << "uusi/koti/Trash/files/Auto" << "";
        QTest::newRow("no trash to be had") << "tiedosto/koti" << "Auto" << "Kohteelle %1 ei löytynyt roskakoria";
    }
    void trash()
    {
        QFETCH(QString, dataHome);
        QFETCH(QString, problem);
        QVERIFY(writeBytes(path("tiedosto"), "ei kansio"));
        QVERIFY(QDir().mkpath(path("Auto/stat")) && writeBytes(path("Auto/stat/a.sav"), "1\r\n"));
        QVERIFY(QDir().mkpath(path("tyo")));
        const QString before = QDir::currentPath();
        QDir::setCurrent(path("tyo"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(path(dataHome)));
        const Done moved = moveToTrash(path("Auto"));
        QDir::setCurrent(before);
        QCOMPARE(moved.error(), problem.isEmpty() ? problem : problem.arg(shownPath(path("Auto"))));
        QFETCH(QString, trashed);
        QCOMPARE(readBytes(path(trashed + "/stat/a.sav")), QByteArray("1\r\n"));
        QCOMPARE(QDir(path("tyo")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // A vehicle file that cannot be used is named, and the vehicle is still there.
    void damagedVehicleFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("energy");
        QTest::newRow("an energy not known") << QByteArray("Oma auto\r\nVety\r\n\r\n")
            << "Ajoneuvon tiedoston %1 toisella rivillä pitää olla käyttövoima (Bensiini, Diesel, Sähkö tai Kaasu), nyt siinä on \"Vety\"." << "Bensiini";
        QTest::newRow("a line too long") << QByteArray(5000, 'x') << "Ajoneuvon tiedostossa %1 on liian pitkä rivi." << "Bensiini";
        QTest::newRow("energy in another case") << QByteArray("Oma auto\r\nsähkö\r\n") << "" << "Sähkö";
    }
    void damagedVehicleFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QVERIFY(writeBytes(path("Data/Ajoneuvo.txt"), bytes));
        Garage garage(home());
        QCOMPARE(garage.load(), problem.isEmpty() ? QStringList() : QStringList{problem.arg(shownPath(path("Data/Ajoneuvo.txt")))});
        QCOMPARE(garage.count(), 1);
        QTEST(energyName(garage.info(0).energy), "energy");
    }
};

QTEST_APPLESS_MAIN(TestVehicles)
#include "tst_vehicles.moc"
