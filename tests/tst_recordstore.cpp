#include "records/RecordStore.h"

#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

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
    QTemporaryDir dir;
    QString folder() const { return dir.filePath(QStringLiteral("stat")); }
    QString at(const QString &name) const { return folder() + '/' + name; }
    QStringList listed(const RecordStore &store) const
    {
        QStringList names;
        const Outcome<QList<RecordEntry>> entries = store.list();
        for (const RecordEntry &entry : *entries)
            names << entry.name;
        return names;
    }

private slots:
    void init()
    {
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
    }

    void names_data()
    {
        QTest::addColumn<QDate>("date"); // the default name of this date, or
        QTest::addColumn<QString>("typed"); // the final name of this typed name
        QTest::addColumn<QString>("name");
        QTest::newRow("7 March 2006") << QDate(2006, 3, 7) << "" << "2006_03_07";
        QTest::newRow("Christmas") << QDate(2006, 12, 25) << "" << "2006_12_25";
        QTest::newRow("new year") << QDate(2007, 1, 1) << "" << "2007_01_01";
        QTest::newRow("9 October") << QDate(2006, 10, 9) << "" << "2006_10_09";
        QTest::newRow("short year") << QDate(987, 5, 4) << "" << "987_05_04";
        QTest::newRow("plain") << QDate() << "matka" << "matka.sav";
        QTest::newRow("with extension") << QDate() << "matka.sav" << "matka.sav";
        QTest::newRow("upper case extension") << QDate() << "matka.SAV" << "matka.SAV.sav";
        QTest::newRow("just sav") << QDate() << "sav" << "sav.sav";
    }
    void names()
    {
        QFETCH(QDate, date);
        QFETCH(QString, typed);
        QTEST(date.isValid() ? RecordStore::defaultName(date) : RecordStore::finalName(typed), "name");
    }

    void writesAndReadsBack()
    {
        RecordStore store(folder());
        QVERIFY(store.write("2006_03_07.sav", {"1,3", "7,5", "120", "11,7", "9"}));
        QCOMPARE(readBytes(at("2006_03_07.sav")),
                 QByteArray::fromHex("312C330D0A372C350D0A3132300D0A31312C370D0A390D0A"));
        const RecordValues odd{"", "abc", " 7 ", "€ 5", "6.5"};
        QVERIFY(store.write("2006_03_07.sav", odd));
        QCOMPARE(*store.read("2006_03_07.sav"), odd);
        QCOMPARE(readBytes(at("2006_03_07.sav")), QByteArray("\r\nabc\r\n 7 \r\n\x80 5\r\n6.5\r\n"));
    }

    // The lines of a record as the chart reads them, and whether the main window may open it.
    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Line>>("states");
        QTest::addColumn<QString>("refusal"); // empty: opens
        const QList<Line> whole(5, Line::Text);
        const QByteArray limit(4096, '7');
        QTest::newRow("bare LF") << QByteArray("1\n2\n3\n4\n5\n") << whole << "";
        QTest::newRow("extra lines ignored") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7") << whole << "";
        QTest::newRow("no final line end") << QByteArray("1\r\n2\r\n3\r\n4\r\n5") << whole << "";
        QTest::newRow("4096 bytes and CR LF") << limit + "\r\n2\r\n3\r\n4\r\n5\r\n" << whole << "";
        QTest::newRow("4096 bytes, the last line") << QByteArray("1\r\n2\r\n3\r\n4\r\n") + limit << whole << "";
        QTest::newRow("three lines") << QByteArray("1\r\n2\r\n3\r\n")
            << QList<Line>{Line::Text, Line::Text, Line::Text, Line::Missing, Line::Missing}
            << "Tiedostosta r.sav puuttuu rivi 4.";
        QTest::newRow("empty file") << QByteArray() << QList<Line>(5, Line::Missing)
            << "Tiedostosta r.sav puuttuu rivi 1.";
        QTest::newRow("4097 bytes and LF") << limit + "7\n2\n3\n4\n5\n"
            << QList<Line>{Line::TooLong, Line::Text, Line::Text, Line::Text, Line::Text}
            << "Tiedoston r.sav rivi 1 on liian pitkä.";
        QTest::newRow("4097 bytes, the last line") << QByteArray("1\r\n2\r\n3\r\n4\r\n") + limit + "7"
            << QList<Line>{Line::Text, Line::Text, Line::Text, Line::Text, Line::TooLong}
            << "Tiedoston r.sav rivi 5 on liian pitkä.";
        QTest::newRow("20000 bytes of junk on line 2 are skipped")
            << QByteArray("1\r\n") + QByteArray(20000, 'x') + "\r\n3\r\n4\r\n5\r\n"
            << QList<Line>{Line::Text, Line::TooLong, Line::Text, Line::Text, Line::Text}
            << "Tiedoston r.sav rivi 2 on liian pitkä.";
        QTest::newRow("100 kB without a line end") << QByteArray(100000, 'x')
            << QList<Line>{Line::TooLong, Line::Missing, Line::Missing, Line::Missing, Line::Missing}
            << "Tiedoston r.sav rivi 1 on liian pitkä.";
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<Line>, states);
        QFETCH(QString, refusal);
        QVERIFY(writeBytes(at("r.sav"), bytes));
        const RecordStore store(folder());
        const Outcome<RecordLines> lines = store.readLines({"r.sav", "r.sav"});
        QVERIFY(lines);
        QCOMPARE(QList<Line>(lines->state.begin(), lines->state.end()), states);
        for (int i = 0; i < RecordLineCount; ++i)
            QVERIFY(lines->text[i].size() <= RecordStore::maxLineBytes);
        if (lines->state[2] == Line::Text)
            QCOMPARE(lines->text[2], QStringLiteral("3")); // read normally after a long line
        QCOMPARE(store.read("r.sav").error(), refusal);
    }

    void refusesNamesLeavingTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"../karkuri.sav", "..", ".", "a/b.sav", "a\\b.sav", "*.sav",
                                 "k?.sav", "", "tab\there"})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("outside 8-bit set") << QStringLiteral("✓.sav");
    }
    void refusesNamesLeavingTheFolder()
    {
        QFETCH(QString, name);
        RecordStore store(folder());
        writeBytes(dir.filePath("karkuri.sav"), fiveBytes);
        const Done written = store.write(name, five);
        QVERIFY(!written.ok() && !written.error().isEmpty());
        QVERIFY(!store.exists(name));
        QVERIFY(!store.read(name));
        QVERIFY(!store.remove(name));
        QVERIFY(QFile::exists(dir.filePath("karkuri.sav")));
        QVERIFY(listed(store).isEmpty());
    }

    void refusesValuesThatCannotBeStored_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("check mark") << QStringLiteral("1,3✓");
        QTest::newRow("line break") << QStringLiteral("1\n2");
        QTest::newRow("carriage return") << QStringLiteral("1\r2");
    }
    void refusesValuesThatCannotBeStored()
    {
        QFETCH(QString, value);
        RecordStore store(folder());
        QVERIFY(store.write("a.sav", five));
        const Done outcome = store.write("a.sav", {"9", "9", value, "9", "9"});
        QVERIFY(outcome.error().startsWith(QStringLiteral("Arvossa")));
        QCOMPARE(readBytes(at("a.sav")), fiveBytes);
    }

    void listsByNameIgnoringCase()
    {
        RecordStore store(folder());
        QDir(folder()).removeRecursively();
        QVERIFY(listed(store).isEmpty()); // a missing folder lists nothing
        for (const char *name : {"Matka.sav", "2007_01_01.sav", "auto.txt", "2006_12_31.sav",
                                 "matka.sav", "B", "a"})
            QVERIFY(store.write(QString::fromLatin1(name), five));
        QDir(folder()).mkdir("alikansio");
        QCOMPARE(listed(store), (QStringList{"2006_12_31.sav", "2007_01_01.sav", "a", "auto.txt",
                                             "B", "Matka.sav", "matka.sav"}));
        QVERIFY(!store.exists("alikansio"));
        QVERIFY(store.exists("Matka.sav") && !store.exists("MATKA.sav") && !store.exists("Matka"));
        QVERIFY(!store.remove("Matka"));
        QVERIFY(store.remove("Matka.sav"));
        QVERIFY(!store.exists("Matka.sav"));
    }

    // A name copied from an old Windows folder is not UTF-8; it is shown decoded as
    // Windows-1252, and every operation keeps the file's own bytes.
    void eightBitNamesKeepTheirBytes()
    {
        const QByteArray raw = QFile::encodeName(folder()) + "/caf\xe9.sav";
        FILE *file = ::fopen(raw.constData(), "wb");
        QVERIFY(file && ::fwrite(fiveBytes.constData(), 1, size_t(fiveBytes.size()), file) == 5 * 3);
        ::fclose(file);
        RecordStore store(folder());
        const QList<RecordEntry> entries = *store.list();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].name, QStringLiteral("café.sav"));
        QCOMPARE(entries[0].fileName, QByteArray("caf\xe9.sav"));
        QVERIFY(store.exists(QStringLiteral("café.sav")));
        QCOMPARE(*store.read(QStringLiteral("café.sav")), five);
        QVERIFY(store.readLines(entries[0]));
        QVERIFY(store.write(QStringLiteral("café.sav"), {"9", "9", "9", "9", "9"}));
        QCOMPARE(*store.list(), entries); // written over, under its own name
        QCOMPARE(store.read(QStringLiteral("café.sav"))->at(0), QStringLiteral("9"));
        QVERIFY(store.remove(QStringLiteral("café.sav")));
        QVERIFY(store.list()->isEmpty());
    }

    // Saving over a record keeps what the user gave it: its permission bits, and a
    // symbolic link stays a link whose target gets the new content.
    void savingOverKeepsTheFile()
    {
        RecordStore store(folder());
        QVERIFY(store.write("oma.sav", five));
        QVERIFY(::chmod(QFile::encodeName(at("oma.sav")).constData(), 0600) == 0);
        QVERIFY(writeBytes(dir.filePath("kohde.txt"), fiveBytes));
        QVERIFY(QFile::link(dir.filePath("kohde.txt"), at("linkki.sav")));
        QVERIFY(QFile::link(dir.filePath("ei_ole.txt"), at("orpo.sav")));
        const RecordValues newer{"6", "7", "8", "9", "10"};
        QVERIFY(store.write("oma.sav", newer));
        QCOMPARE(modeOf(at("oma.sav")) & 07777, mode_t(0600));
        QVERIFY(store.write("linkki.sav", newer));
        QVERIFY(S_ISLNK(modeOf(at("linkki.sav"))));
        QCOMPARE(readBytes(dir.filePath("kohde.txt")), QByteArray("6\r\n7\r\n8\r\n9\r\n10\r\n"));
        const Done dangling = store.write("orpo.sav", newer);
        QVERIFY(dangling.error().startsWith(QStringLiteral("Tiedostoa orpo.sav ei voitu tallentaa: Se on linkki")));
        QVERIFY(!QFile::exists(dir.filePath("ei_ole.txt")));
    }

    // A record without any write bit is protected: never replaced, never deleted, also
    // for a user whose rights would override it.
    void protectedRecordsStay()
    {
        RecordStore store(folder());
        QVERIFY(store.write("suojattu.sav", five));
        QVERIFY(::chmod(QFile::encodeName(at("suojattu.sav")).constData(), 0444) == 0);
        QCOMPARE(store.saveProblem("suojattu.sav").value_or(QString()),
                 QStringLiteral("Tiedostoa suojattu.sav ei voitu tallentaa: Tiedosto on kirjoitussuojattu."));
        QVERIFY(!store.write("suojattu.sav", {"9", "9", "9", "9", "9"}));
        QCOMPARE(store.remove("suojattu.sav").error(),
                 QStringLiteral("Tiedostoa suojattu.sav ei voitu poistaa: Tiedosto on kirjoitussuojattu."));
        QCOMPARE(readBytes(at("suojattu.sav")), fiveBytes);
        QCOMPARE(modeOf(at("suojattu.sav")) & 07777, mode_t(0444));
    }

    // The hidden folder where saves start is never followed as a link, and only this
    // program's own leftovers are cleaned up in it.
    void scratchFolderIsItsOwn()
    {
        const QString elsewhere = dir.filePath("muualla");
        QDir().mkpath(elsewhere);
        QVERIFY(writeBytes(elsewhere + "/AbC123", "tärkeä"));
        QVERIFY(QFile::link(elsewhere, at(".tallennus")));
        RecordStore store(folder());
        QVERIFY(store.write("a.sav", five));
        QCOMPARE(readBytes(elsewhere + "/AbC123"), QByteArray("tärkeä"));
        QVERIFY(S_ISDIR(modeOf(at(".tallennus"))));
        QVERIFY(writeBytes(at(".tallennus/Xy9zQ1"), "jäänne"));
        QVERIFY(writeBytes(at(".tallennus/muistio.txt"), "oma"));
        QVERIFY(store.write("a.sav", five));
        QCOMPARE(QDir(at(".tallennus")).entryList(QDir::Files), QStringList{"muistio.txt"});
        QCOMPARE(listed(store), QStringList{"a.sav"});
    }

    void folderThatCannotBeMadeIsReported()
    {
        QDir(folder()).removeRecursively();
        writeBytes(folder(), "not a folder");
        const Done written = RecordStore(folder()).write("a.sav", five);
        QVERIFY2(written.error().contains(QStringLiteral("ei voitu")), qPrintable(written.error()));
        QFile::remove(folder());
    }
};

QTEST_APPLESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
