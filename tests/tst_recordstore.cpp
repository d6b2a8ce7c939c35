#include "records/RecordStore.h"

#include <QDir>
#include "FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tankeli;


class TestRecordStore : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString folder() const { return dir.filePath(QStringLiteral("stat")); }

private slots:
    void init() { QDir(folder()).removeRecursively(); }

    void defaultNames_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        QTest::newRow("7 March 2006") << QDate(2006, 3, 7) << "2006_03_07";
        QTest::newRow("Christmas") << QDate(2006, 12, 25) << "2006_12_25";
        QTest::newRow("new year") << QDate(2007, 1, 1) << "2007_01_01";
        QTest::newRow("9 October") << QDate(2006, 10, 9) << "2006_10_09";
        QTest::newRow("year end") << QDate(2006, 12, 31) << "2006_12_31";
        QTest::newRow("short year") << QDate(987, 5, 4) << "987_05_04";
    }
    void defaultNames()
    {
        QFETCH(QDate, date);
        QTEST(RecordStore::defaultName(date), "name");
    }

    void finalNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("final");
        QTest::newRow("plain") << "matka" << "matka.sav";
        QTest::newRow("with extension") << "matka.sav" << "matka.sav";
        QTest::newRow("upper case extension") << "matka.SAV" << "matka.SAV.sav";
        QTest::newRow("just sav") << "sav" << "sav.sav";
        QTest::newRow("date") << "2006_03_07" << "2006_03_07.sav";
        QTest::newRow("empty") << "" << "";
    }
    void finalNames()
    {
        QFETCH(QString, typed);
        QTEST(RecordStore::finalName(typed), "final");
    }

    void writesTheRecordBytes()
    {
        RecordStore store(folder());
        QVERIFY(store.write("2006_03_07.sav", {"1,3", "7,5", "120", "11,7", "9"}).ok);
        QCOMPARE(readBytes(folder() + "/2006_03_07.sav"),
                 QByteArray::fromHex("312C330D0A372C350D0A3132300D0A31312C370D0A390D0A"));
    }

    void roundTripKeepsTextsAndSecondSaveReplaces()
    {
        RecordStore store(folder());
        const RecordValues odd{"", "abc", " 7 ", "€ 5", "6.5"};
        QVERIFY(store.write("x.sav", {"1", "2", "3", "4", "5"}).ok);
        QVERIFY(store.write("x.sav", odd).ok);
        const ReadOutcome read = store.read("x.sav");
        QVERIFY2(read.values.has_value(), qPrintable(read.error));
        QCOMPARE(*read.values, odd);
        QCOMPARE(readBytes(folder() + "/x.sav").count("\r\n"), 5);
    }

    void readsLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("bare LF") << QByteArray("1\n2\n3\n4\n5\n") << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("extra lines ignored") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7")
                                             << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("no final line end") << QByteArray("1\r\n2\r\n3\r\n4\r\n5")
                                           << QStringList{"1", "2", "3", "4", "5"};
    }
    void readsLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QVERIFY(writeBytes(dir.filePath("r.sav"), bytes));
        const ReadOutcome read = RecordStore(dir.path()).read("r.sav");
        QVERIFY(read.values.has_value());
        QCOMPARE(QStringList(read.values->begin(), read.values->end()), lines);
    }

    void shortOrLongRecordsName_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("readable");
        QTest::newRow("three lines") << QByteArray("1\r\n2\r\n3\r\n")
                                     << "Tiedostosta r.sav puuttuu rivi 4." << 3;
        QTest::newRow("empty file") << QByteArray() << "Tiedostosta r.sav puuttuu rivi 1." << 0;
        QTest::newRow("100 kB without line breaks") << QByteArray(100000, 'x')
                                     << "Tiedoston r.sav rivi 1 on liian pitkä." << 0;
        QTest::newRow("long second line") << QByteArray("1\r\n") + QByteArray(5000, '7') + "\r\n"
                                     << "Tiedoston r.sav rivi 2 on liian pitkä." << 1;
    }
    void shortOrLongRecordsName()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, readable);
        QVERIFY(writeBytes(dir.filePath("r.sav"), bytes));
        const RecordStore store(dir.path());
        QCOMPARE(store.read("r.sav").error, message);
        const RecordLines lines = store.readLines("r.sav");
        for (int i = 0; i < RecordLineCount; ++i)
            QCOMPARE(lines.lines[i].has_value(), i < readable);
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
        QVERIFY(store.write("../uhri.sav", {"1", "2", "3", "4", "5"}).ok == false);
        writeBytes(dir.filePath("karkuri.sav"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
        const StoreOutcome written = store.write(name, {"1", "2", "3", "4", "5"});
        QVERIFY(!written.ok);
        QVERIFY(!written.error.isEmpty());
        QVERIFY(!store.exists(name));
        QVERIFY(!store.read(name).values.has_value());
        QVERIFY(!store.remove(name).ok);
        QVERIFY(QFile::exists(dir.filePath("karkuri.sav")));
        QVERIFY(!QFile::exists(dir.filePath("uhri.sav")));
        QVERIFY(store.list().isEmpty());
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
        QVERIFY(store.write("a.sav", {"1", "2", "3", "4", "5"}).ok);
        const StoreOutcome outcome = store.write("a.sav", {"9", "9", value, "9", "9"});
        QVERIFY(!outcome.ok);
        QVERIFY(outcome.error.startsWith(QStringLiteral("Arvossa")));
        QCOMPARE(readBytes(folder() + "/a.sav"), QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n"));
    }

    void listsByNameIgnoringCase()
    {
        RecordStore store(folder());
        QVERIFY(store.list().isEmpty()); // a missing folder lists nothing
        for (const char *name : {"Matka.sav", "2007_01_01.sav", "auto.txt", "2006_12_31.sav",
                                 "matka.sav", "B", "a"})
            QVERIFY(store.write(QString::fromLatin1(name), {"1", "2", "3", "4", "5"}).ok);
        QDir(folder()).mkdir("alikansio");
        QCOMPARE(store.list(), (QStringList{"2006_12_31.sav", "2007_01_01.sav", "a", "auto.txt",
                                            "B", "Matka.sav", "matka.sav"}));
        QVERIFY(!store.exists("alikansio"));
    }

    void existsAndDelete()
    {
        RecordStore store(folder());
        QVERIFY(store.write("2006_03_07.sav", {"1", "2", "3", "4", "5"}).ok);
        QVERIFY(store.exists("2006_03_07.sav"));
        QVERIFY(!store.exists("2006_03_07"));
        QVERIFY(!store.exists("2006_03_07.SAV"));
        QVERIFY(!store.remove("2006_03_07").ok);
        QVERIFY(store.remove("2006_03_07.sav").ok);
        QVERIFY(!store.exists("2006_03_07.sav"));
        QVERIFY(store.list().isEmpty());
    }

    void folderThatCannotBeMadeIsReported()
    {
        writeBytes(folder(), "not a folder");
        const StoreOutcome written = RecordStore(folder()).write("a.sav", {"1", "2", "3", "4", "5"});
        QVERIFY(!written.ok);
        QVERIFY(written.error.contains(QStringLiteral("ei voitu luoda")));
        QFile::remove(folder());
    }
};

QTEST_APPLESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
