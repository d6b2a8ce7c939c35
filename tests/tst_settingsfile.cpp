#include "mainwindow/SettingsFile.h"

#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tankeli;

class TestSettingsFile : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Arvot.txt")); }

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // price, display, meter, calibration, time view
        QTest::newRow("defaults") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
                                  << QStringList{"1,3", "0", "0", "False", "True"};
        QTest::newRow("calibrated") << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n")
                                    << QStringList{"1,3", "100", "105", "True", "False"};
        QTest::newRow("any case, bare LF, extra lines") << QByteArray("1,30\n97\n100\ntrue\nFALSE\nextra\n")
                                    << QStringList{"1,30", "97", "100", "True", "False"};
        QTest::newRow("no final line end") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue")
                                           << QStringList{"1,3", "0", "0", "False", "True"};
        QTest::newRow("8-bit price") << QByteArray("1,3\x80\r\n\r\n\r\nFalse\r\nFalse\r\n")
                                     << QStringList{QStringLiteral("1,3€"), "", "", "False", "False"};
        QTest::newRow("missing") << QByteArray() << QStringList{"Asetustiedostoa", "ei löytynyt."};
        QTest::newRow("four lines") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\n")
                                    << QStringList{"on vain 4 riviä"};
        QTest::newRow("empty") << QByteArray("") << QStringList{"on vain 0 riviä"};
        QTest::newRow("line 4") << QByteArray("1,3\r\n0\r\n0\r\nKyllä\r\nTrue\r\n")
                                << QStringList{"rivillä 4 pitää olla True tai False"};
        QTest::newRow("line 5") << QByteArray("1,3\r\n0\r\n0\r\nTrue\r\n1\r\n") << QStringList{"rivillä 5"};
        QTest::newRow("CR-only line ends") << QByteArray("1,3\r0\r0\rFalse\rTrue\r")
                                           << QStringList{"pelkillä CR-merkeillä"};
        QTest::newRow("first line over 64 KB") << QByteArray(70000, '1') + "\r\n0\r\n0\r\nFalse\r\nTrue\r\n"
                                               << QStringList{"rivi 1 on liian pitkä."};
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFile::remove(path());
        if (!bytes.isNull())
            QVERIFY(writeBytes(path(), bytes));
        const Outcome<Settings> read = SettingsFile(path()).read();
        if (lines.size() < 5) {
            QVERIFY(!read);
            for (const QString &part : lines)
                QVERIFY2(read.error().contains(part), qPrintable(read.error()));
            QVERIFY(read.error().contains(QStringLiteral("Arvot.txt")));
            return;
        }
        QVERIFY2(read, qPrintable(read.error()));
        const auto truth = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
        QCOMPARE((QStringList{read->price, read->displayReading, read->meterReading,
                              truth(read->calibrationInUse), truth(read->timeView)}),
                 lines);
    }

    void writesFiveCrLfLinesAndReadsBackByteForByte()
    {
        const QByteArray original("1,30\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        QVERIFY(writeBytes(path(), original));
        const SettingsFile file(path());
        QVERIFY(file.write(*file.read(), "1,30"));
        QCOMPARE(readBytes(path()), original);
        QVERIFY(file.write({QStringLiteral("1,5€"), "", "7", false, true}, "1,30"));
        QCOMPARE(readBytes(path()), QByteArray("1,5\x80\r\n\r\n7\r\nFalse\r\nTrue\r\n"));
    }

    // One value the file cannot hold never costs the others: the price falls back to
    // the one saved before, and the message says so.
    void unstorablePriceKeepsTheSavedOne_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("why");
        QTest::newRow("character outside the set") << QStringLiteral("1,4Ω") << QStringLiteral("merkki \"Ω\"");
        QTest::newRow("line break") << QStringLiteral("1,3\n4") << QStringLiteral("rivinvaihto");
    }
    void unstorablePriceKeepsTheSavedOne()
    {
        QFETCH(QString, price);
        QFETCH(QString, why);
        QVERIFY(writeBytes(path(), "1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
        const Done written = SettingsFile(path()).write({price, "100", "105", true, true}, "1,3");
        QVERIFY(written.error().contains(why));
        QVERIFY(written.error().contains(QStringLiteral("edellinen hinta \"1,3\"")));
        QCOMPARE(readBytes(path()), QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nTrue\r\n"));
    }

    // Temporary files of writes that were cut off are removed before the next write;
    // a name that reads as a word the user chose is left alone.
    void leftoversAreRemoved()
    {
        QVERIFY(writeBytes(path(), "1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
        for (const char *name : {"Arvot.txt.aB3dE9", "Arvot.txt.QWERTY", "Arvot.txt.backup", "Arvot.txt.vanha"})
            QVERIFY(writeBytes(dir.filePath(QString::fromLatin1(name)), "x"));
        QVERIFY(SettingsFile(path()).write({"1,3", "0", "0", false, false}, "1,3"));
        QCOMPARE(QDir(dir.path()).entryList({"Arvot.txt*"}, QDir::Files),
                 (QStringList{"Arvot.txt", "Arvot.txt.backup", "Arvot.txt.vanha"}));
    }

    void unwritableIsReportedAndTheOldFileKept_data()
    {
        QTest::addColumn<bool>("protect");
        QTest::addColumn<QString>("cause");
        QTest::newRow("write-protected file") << true << "Tiedosto on kirjoitussuojattu";
        QTest::newRow("no Data folder") << false << "Tiedostoa tai kansiota ei ole";
    }
    void unwritableIsReportedAndTheOldFileKept()
    {
        QFETCH(bool, protect);
        QFETCH(QString, cause);
        const QString target = protect ? path() : dir.filePath("Puuttuu/Arvot.txt");
        QVERIFY(writeBytes(path(), "1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
        QFile::setPermissions(path(), protect ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
        const Done written = SettingsFile(target).write({"2", "0", "0", false, false}, "1,3");
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY2(written.error().contains(cause), qPrintable(written.error()));
        QVERIFY(written.error().contains(QStringLiteral("Aiemmat asetukset jäivät voimaan")));
        QCOMPARE(readBytes(path()), QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
