#include "records/RecordStore.h"

#include "Bounded.h"
#include "FileBytes.h"
#include "TestHome.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>

using namespace tankeli;
using Line = LineReader::Line;

namespace {
const RecordValues five{"1", "2", "3", "4", "5"};
const QByteArray fiveBytes("1\r\n2\r\n3\r\n4\r\n5\r\n");

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}
} // namespace

class TestRecordStore : public QObject
{
    Q_OBJECT
    TestHome home; // the desktop's trash is in it
    QTemporaryDir dir;
    QString at(const QString &name) const { return dir.filePath("stat/" + name); }
    RecordStore store() const { return RecordStore(dir.filePath("stat")); }
    QStringList listed() const
    {
        QStringList names;
        const Outcome<QList<RecordEntry>> entries = store().list();
        for (const RecordEntry &entry : *entries)
            names << entry.name;
        return names;
    }

private slots:
    void init()
    {
        QDir(dir.filePath("stat")).removeRecursively();
        QDir(dir.path()).mkpath("stat");
    }

    void writesAndReadsBack()
    {
        RecordStore records = store();
        QVERIFY(records.write("2006_03_07.sav", {"1,3", "7,5", "120", "11,7", "9"}));
        QCOMPARE(readBytes(at("2006_03_07.sav")), QByteArray::fromHex("312C330D0A372C350D0A3132300D0A31312C370D0A390D0A"));
        // Any other value reads back as it was written: fuzz_recordroundtrip.
    }

    // The lines as the chart reads them, and whether the main window may open the record.
    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Line>>("states");
        QTest::addColumn<QString>("refusal"); // empty: opens
        const QList<Line> whole(5, Line::Text);
        const QList<Line> missing(5, Line::Missing);
        const QByteArray limit(4096, '7');
        QTest::newRow("bare LF") << QByteArray("1\n2\n3\n4\n5\n") << whole << "";
        QTest::newRow("extra lines, no final line end") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7") << whole << "";
        QTest::newRow("4096 bytes and CR LF") << limit + "\r\n2\r\n3\r\n4\r\n5\r\n" << whole << "";
        QTest::newRow("4096 bytes, the last line") << QByteArray("1\r\n2\r\n3\r\n4\r\n") + limit << whole << "";
        QTest::newRow("three lines") << QByteArray("1\r\n2\r\n3\r\n") << whole.mid(0, 3) + missing.mid(0, 2)
                                     << "Tiedostosta r.sav puuttuu rivi 4.";
        QTest::newRow("empty file") << QByteArray() << missing << "Tiedostosta r.sav puuttuu rivi 1.";
        QTest::newRow("4097 bytes and LF") << limit + "7\n2\n3\n4\n5\n" << QList<Line>{Line::TooLong} + whole.mid(1)
                                           << "Tiedoston r.sav rivi 1 on liian pitkä.";
        QTest::newRow("4097 bytes, the last line") << QByteArray("1\r\n2\r\n3\r\n4\r\n") + limit + "7"
                                                   << whole.mid(1) + QList<Line>{Line::TooLong}
                                                   << "Tiedoston r.sav rivi 5 on liian pitkä.";
        QTest::newRow("20000 bytes of junk on line 2 are skipped")
            << QByteArray("1\r\n") + QByteArray(20000, 'x') + "\r\n3\r\n4\r\n5\r\n"
            << QList<Line>{Line::Text, Line::TooLong, Line::Text, Line::Text, Line::Text} << "Tiedoston r.sav rivi 2 on liian pitkä.";
        QTest::newRow("a line cut off where five lines end")
            << QByteArray("1\r\n") + QByteArray(20000, 'x') + "\r\n" + QByteArray(2000, '3') + "\r\n4\r\n5\r\n"
            << QList<Line>{Line::Text, Line::TooLong, Line::TooLong, Line::Missing, Line::Missing} << "Tiedoston r.sav rivi 2 on liian pitkä.";
        QTest::newRow("100 kB without a line end") << QByteArray(100000, 'x') << QList<Line>{Line::TooLong} + missing.mid(1)
                                                   << "Tiedoston r.sav rivi 1 on liian pitkä.";
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeBytes(at("r.sav"), bytes));
        const Outcome<RecordLines> lines = store().readLines({"r.sav", "r.sav"});
        QTEST(QList<Line>(lines->state.begin(), lines->state.end()), "states");
        if (lines->state[2] == Line::Text)
            QCOMPARE(lines->text[2], QStringLiteral("3")); // read normally after a long line
        QTEST(store().read("r.sav").error(), "refusal");
    }

    // Names that leave the folder or cannot be stored, and values that cannot be stored.
    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        for (const char *name : {"../karkuri.sav", "..", ".", "a/b.sav", "a\\b.sav", "*.sav", "k?.sav", "", "tab\there"})
            QTest::newRow(name) << QString::fromLatin1(name) << "1";
        QTest::newRow("name outside the 8-bit set") << QStringLiteral("✓.sav") << "1";
        QTest::newRow("value outside the 8-bit set") << "a.sav" << QStringLiteral("1,3✓");
        QTest::newRow("value with a line break") << "a.sav" << QStringLiteral("1\n2");
        QTest::newRow("value with a carriage return") << "a.sav" << QStringLiteral("1\r2");
        QTest::newRow("value longer than a line can be read") << "a.sav" << QString(4097, '7');
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        RecordStore records = store();
        QVERIFY(records.write("a.sav", five));
        writeBytes(dir.filePath("karkuri.sav"), fiveBytes);
        QVERIFY(!records.write(name, {"9", "9", value, "9", "9"}).error().isEmpty());
        QCOMPARE(readBytes(at("a.sav")), fiveBytes);
        if (name != "a.sav")
            QVERIFY(!records.exists(name) && !records.read(name) && !records.remove(name));
        QVERIFY(QFile::exists(dir.filePath("karkuri.sav")));
        QCOMPARE(listed(), QStringList{"a.sav"});
    }

    // Why a name or a value is refused, in the words the save window and the import show.
    void reasons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason"); // empty: accepted
        const QString hidden = QStringLiteral("Tiedostonimi \"%1\" alkaa pisteellä, eikä lista näytä pisteellä alkavia nimiä. "
                                              "Anna nimi, joka alkaa muulla merkillä.");
        const QString controlInValue = QStringLiteral("Arvossa \"%1\" on ohjausmerkki %2, jota ei voi tallentaa.");
        for (const char *name : {".piilo.sav", "..sav", ".sav", ".", ".."})
            QTest::newRow(name) << name << "1" << hidden.arg(name);
        QTest::newRow("a dot inside the name") << "matka.1.sav" << "1" << "";
        QTest::newRow("tab in a name") << "tab\there.sav" << "1"
            << QStringLiteral("Tiedostonimessä \"tab\uFFFDhere.sav\" on ohjausmerkki U+0009, jota ei voi käyttää.");
        QTest::newRow("C1 APC in a value") << "a.sav" << QStringLiteral("\u009f") << controlInValue.arg(QStringLiteral("\uFFFD"), "U+009F");
        QTest::newRow("euro sign and no-break space are text") << "a.sav" << QStringLiteral("1,3\u00a0€") << "";
    }
    void reasons()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        const std::optional<QString> problem = RecordStore::nameProblem(name) ? RecordStore::nameProblem(name)
                                                                              : RecordStore::valueProblem(value);
        QCOMPARE(problem.value_or(QString()), reason);
        QCOMPARE(store().write(name, {"1", "2", value, "4", "5"}).error(), reason);
        QCOMPARE(QDir(at("")).entryList(QDir::Files | QDir::Hidden), reason.isEmpty() ? QStringList{name} : QStringList{});
    }

    // "Poista" moves a record into the desktop's trash, where a file manager restores it
    // to its place; where there is no trash to be had, it is deleted as before, and
    // nothing is left anywhere else (not in the current folder either).
    void removeMovesToTrash_data()
    {
        QTest::addColumn<QString>("made");         // what the folder holds, "x.sav" the one deleted
        QTest::addColumn<QString>("dataHome");     // the desktop's data folder: "home", or one that cannot be made
        QTest::addColumn<QStringList>("trashed");  // what the trash then holds
        QTest::addColumn<QStringList>("left");     // what the folder then holds, hidden files too
        QTest::addColumn<QString>("restoresTo");   // where the trash's note says it came from
        QTest::newRow("a record") << "file" << "home" << QStringList{"x.sav"} << QStringList{} << "x.sav";
        QTest::newRow("a link: the link goes, its target stays") << "link" << "home" << QStringList{"x.sav"}
                                                                << QStringList{} << "x.sav";
        QTest::newRow("an 8-bit name: under its shown name") << "8-bit" << "home" << QStringList{QStringLiteral("xä.sav")}
                                                            << QStringList{} << QStringLiteral("xä.sav");
        QTest::newRow("an 8-bit name whose shown name is taken: deleted") << "8-bit and its UTF-8 twin" << "home"
            << QStringList{} << QStringList{QStringLiteral("xä.sav")} << "";
        QTest::newRow("no trash to be had: deleted") << "file" << "under a file" << QStringList{} << QStringList{} << "";
    }
    void removeMovesToTrash()
    {
        QFETCH(QString, made);
        QFETCH(QString, dataHome);
        QDir(home.trash("")).removeRecursively();
        QVERIFY(writeBytes(dir.filePath("kohde.txt"), fiveBytes));
        const QByteArray eightBit = QFile::encodeName(at("")) + "x\xe4.sav";
        FILE *file = made.startsWith("8-bit") ? ::fopen(eightBit.constData(), "wb") : nullptr;
        QVERIFY(!file || ::fwrite(fiveBytes.constData(), 1, 15, file) == 15);
        if (file)
            ::fclose(file);
        if (made.contains("twin"))
            QVERIFY(writeBytes(at(QStringLiteral("xä.sav")), "twin"));
        if (made == "file")
            QVERIFY(writeBytes(at("x.sav"), fiveBytes));
        if (made == "link")
            QVERIFY(QFile::link(dir.filePath("kohde.txt"), at("x.sav")));
        QTemporaryDir current;
        const QString before = QDir::currentPath();
        QDir::setCurrent(current.path());
        QVERIFY(writeBytes(dir.filePath("tiedosto"), ""));
        if (dataHome != "home")
            qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("tiedosto/share")));
        RecordStore records = store();
        const RecordEntry entry = records.list()->value(made.contains("twin") ? 1 : 0);
        QVERIFY(entry.fileName.startsWith('x'));
        const Done removed = records.remove(entry);
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.dataFolder()));
        QDir::setCurrent(before);
        QVERIFY2(removed, qPrintable(removed.error()));
        QTEST(home.trashed(), "trashed");
        QTEST(QDir(at("")).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), "left");
        QCOMPARE(QDir(current.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});
        QCOMPARE(readBytes(dir.filePath("kohde.txt")), fiveBytes);
        QFETCH(QString, restoresTo);
        if (restoresTo.isEmpty())
            return;
        const QString trashed = home.trashed().value(0);
        QCOMPARE(QFileInfo(home.trash("files/" + trashed)).isSymLink(), made == "link");
        const QByteArray note = readBytes(home.trash("info/" + trashed + ".trashinfo"));
        const QByteArray from = note.mid(note.indexOf("\nPath=") + 6).split('\n').value(0);
        QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(from)), at(restoresTo));
    }

    void listsByNameIgnoringCase()
    {
        RecordStore records = store();
        QDir(dir.filePath("stat")).removeRecursively();
        QVERIFY(listed().isEmpty()); // a missing folder lists nothing
        for (const char *name : {"Matka.sav", "2007_01_01.sav", "auto.txt", "2006_12_31.sav", "matka.sav", "B", "a"})
            QVERIFY(records.write(QString::fromLatin1(name), five));
        // Hidden files: a file manager's notes, an office program's lock.
        for (const char *name : {".directory", ".~lock.matka.sav#", ".sav"})
            QVERIFY(writeBytes(at(QString::fromLatin1(name)), fiveBytes));
        QDir(dir.filePath("stat")).mkdir("alikansio");
        QCOMPARE(listed(), (QStringList{"2006_12_31.sav", "2007_01_01.sav", "a", "auto.txt", "B", "Matka.sav", "matka.sav"}));
        QVERIFY(!records.exists("alikansio") && !records.exists("MATKA.sav") && !records.remove("Matka"));
        QVERIFY(records.remove("Matka.sav") && !records.exists("Matka.sav"));
    }

    // What another program may leave in the folder in a record's place: never waited on,
    // and never read further than five lines can reach.
    void filesThatAreNotRecords_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("opened"); // why the main window cannot open it
        QTest::addColumn<bool>("listed");
        QTest::newRow("FIFO") << "fifo" << "Tiedostoa x.sav ei voitu avata: Se ei ole tavallinen tiedosto." << false;
        QTest::newRow("link to /dev/zero") << "/dev/zero" << "Tiedostoa x.sav ei voitu avata: Se ei ole tavallinen tiedosto." << false;
        QTest::newRow("link to a 20 GB sparse file") << "sparse" << "Tiedoston x.sav rivi 1 on liian pitkä." << true;
    }
    void filesThatAreNotRecords()
    {
        QFETCH(QString, made);
        const QByteArray path = QFile::encodeName(at("x.sav"));
        if (made == "fifo")
            QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        else if (made == "sparse")
            QVERIFY(writeBytes(dir.filePath("iso"), "") && QFile::resize(dir.filePath("iso"), Q_INT64_C(20) << 30)
                    && QFile::link(dir.filePath("iso"), at("x.sav")));
        else
            QVERIFY(QFile::link(made, at("x.sav")));
        const auto opened = finishedWithin([this] { return store().read("x.sav").error(); }, path);
        QVERIFY2(opened, "still waiting on x.sav");
        QTEST(*opened, "opened");
        const auto isListed = finishedWithin([this] { return listed() == QStringList{"x.sav"}; }, path);
        QVERIFY2(isListed, "still listing");
        QTEST(*isListed, "listed");
    }

    // Saving over a record keeps its permission bits; a link stays a link and its
    // target gets the new content; a record without a write bit is never replaced or
    // deleted, also for a user whose rights would override it.
    void savingOverKeepsTheFile()
    {
        RecordStore records = store();
        QVERIFY(records.write("oma.sav", five) && records.write("suojattu.sav", five));
        QVERIFY(::chmod(QFile::encodeName(at("oma.sav")).constData(), 0600) == 0);
        QVERIFY(::chmod(QFile::encodeName(at("suojattu.sav")).constData(), 0444) == 0);
        QVERIFY(writeBytes(dir.filePath("kohde.txt"), fiveBytes));
        QVERIFY(QFile::link(dir.filePath("kohde.txt"), at("linkki.sav")));
        QVERIFY(QFile::link(dir.filePath("ei_ole.txt"), at("orpo.sav")));
        const RecordValues newer{"6", "7", "8", "9", "10"};
        QVERIFY(records.write("oma.sav", newer) && records.write("linkki.sav", newer));
        QCOMPARE(modeOf(at("oma.sav")) & 07777, mode_t(0600));
        const mode_t mask = ::umask(022);
        QVERIFY(records.write("uusi.sav", newer) && (modeOf(at("uusi.sav")) & 07777) == 0644); // a new one as any file
        ::umask(mask);
        QVERIFY(S_ISLNK(modeOf(at("linkki.sav"))));
        QCOMPARE(readBytes(dir.filePath("kohde.txt")), QByteArray("6\r\n7\r\n8\r\n9\r\n10\r\n"));
        QVERIFY(records.write("orpo.sav", newer).error().startsWith("Tiedostoa orpo.sav ei voitu tallentaa: Se on linkki"));
        QCOMPARE(records.write("suojattu.sav", newer).error(),
                 QStringLiteral("Tiedostoa suojattu.sav ei voitu tallentaa: Tiedosto on kirjoitussuojattu."));
        QCOMPARE(records.remove("suojattu.sav").error(),
                 QStringLiteral("Tiedostoa suojattu.sav ei voitu poistaa: Tiedosto on kirjoitussuojattu."));
        QCOMPARE(readBytes(at("suojattu.sav")), fiveBytes);
    }

    // The hidden folder where saves start is never followed as a link, and only this
    // program's own leftovers are cleaned up in it.
    void scratchFolderIsItsOwn()
    {
        QDir(dir.path()).mkpath("muualla");
        QVERIFY(writeBytes(dir.filePath("muualla/AbC123"), "tärkeä"));
        QVERIFY(QFile::link(dir.filePath("muualla"), at(".tallennus")));
        RecordStore records = store();
        QVERIFY(records.write("a.sav", five));
        QCOMPARE(readBytes(dir.filePath("muualla/AbC123")), QByteArray("tärkeä"));
        QVERIFY(writeBytes(at(".tallennus/Xy9zQ1"), "jäänne") && writeBytes(at(".tallennus/muistio.txt"), "oma"));
        QVERIFY(records.write("a.sav", five));
        QCOMPARE(QDir(at(".tallennus")).entryList(QDir::Files), QStringList{"muistio.txt"});
        QCOMPARE(listed(), QStringList{"a.sav"});
    }
};

QTEST_APPLESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
