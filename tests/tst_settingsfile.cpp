#include "mainwindow/SettingsFile.h"

#include "FileBytes.h"

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
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<bool>("calibration");
        QTest::addColumn<bool>("timeView");
        QTest::newRow("defaults") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
                                  << "1,3" << "0" << "0" << false << true;
        QTest::newRow("calibrated") << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n")
                                    << "1,3" << "100" << "105" << true << false;
        QTest::newRow("any case, bare LF, extra lines")
            << QByteArray("1,30\n97\n100\ntrue\nFALSE\nextra\n") << "1,30" << "97" << "100"
            << true << false;
        QTest::newRow("no final line end") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue")
                                           << "1,3" << "0" << "0" << false << true;
        QTest::newRow("8-bit price") << QByteArray("1,3\x80\r\n\r\n\r\nFalse\r\nFalse\r\n")
                                     << QStringLiteral("1,3€") << "" << "" << false << false;
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeBytes(path(), bytes));
        const SettingsRead read = SettingsFile(path()).read();
        QVERIFY2(read.settings.has_value(), qPrintable(read.error));
        QTEST(read.settings->price, "price");
        QTEST(read.settings->displayReading, "display");
        QTEST(read.settings->meterReading, "meter");
        QTEST(read.settings->calibrationInUse, "calibration");
        QTEST(read.settings->timeView, "timeView");
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        QTest::newRow("four lines") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\n") << "vain 4 riviä";
        QTest::newRow("empty") << QByteArray() << "vain 0 riviä";
        QTest::newRow("line 4") << QByteArray("1,3\r\n0\r\n0\r\nKyllä\r\nTrue\r\n") << "rivillä 4";
        QTest::newRow("line 5") << QByteArray("1,3\r\n0\r\n0\r\nTrue\r\n1\r\n") << "rivillä 5";
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        QVERIFY(writeBytes(path(), bytes));
        const SettingsRead read = SettingsFile(path()).read();
        QVERIFY(!read.settings.has_value());
        QVERIFY2(read.error.contains(fault), qPrintable(read.error));
        QVERIFY(read.error.contains(QStringLiteral("Arvot.txt")));
    }

    void missingFileIsNamed()
    {
        const SettingsRead read = SettingsFile(dir.filePath("puuttuu.txt")).read();
        QVERIFY(!read.settings.has_value());
        QVERIFY(read.error.contains(QStringLiteral("puuttuu.txt")));
        QVERIFY(read.error.contains(QStringLiteral("ei löytynyt")));
    }

    void writesFiveCrLfLinesAndReadsBackByteForByte()
    {
        const QByteArray original("1,30\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        QVERIFY(writeBytes(path(), original));
        const SettingsFile file(path());
        QVERIFY(file.write(*file.read().settings).isEmpty());
        QCOMPARE(readBytes(path()), original);

        QVERIFY(file.write({QStringLiteral("1,5€"), "", "7", false, true}).isEmpty());
        QCOMPARE(readBytes(path()), QByteArray("1,5\x80\r\n\r\n7\r\nFalse\r\nTrue\r\n"));
    }

    void unwritableLeavesOldFile_data()
    {
        QTest::addColumn<QString>("price");
        QTest::newRow("character outside the set") << QStringLiteral("1,3✓");
        QTest::newRow("line break") << QStringLiteral("1,3\n4");
    }
    void unwritableLeavesOldFile()
    {
        QFETCH(QString, price);
        const QByteArray original("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        QVERIFY(writeBytes(path(), original));
        const QString error = SettingsFile(path()).write({price, "0", "0", false, true});
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(path()), original);
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
